// SPDX-License-Identifier: GPL-3.0-or-later
// The page's scripts against the oldest browsers it serves (.browserslistrc): their syntax no
// newer than all of those read (ES2021), and every web interface they call present in each. None
// evaluates text as code: the page's policy allows it ('unsafe-eval'), for the older browsers
// compile WebAssembly under that keyword alone.
// Files outside the folder it runs in are skipped with a warning, which the test fails on.
//   cd build-web && BROWSERSLIST_CONFIG=../web/.browserslistrc \
//     node ../web/node_modules/eslint/bin/eslint.js --max-warnings 0 \
//     --config ../web/eslint.config.mjs dist/app.js dist/sw.js web/core/hengtiebao.js
import compat from "eslint-plugin-compat";

export default [
  {
    ...compat.configs["flat/recommended"],
    languageOptions: { ecmaVersion: 2021, sourceType: "module" },
    linterOptions: { reportUnusedDisableDirectives: "error" },
    rules: {
      ...compat.configs["flat/recommended"].rules,
      "no-eval": "error",
      "no-implied-eval": "error",
      "no-new-func": "error",
    },
  },
];
