# SPDX-License-Identifier: GPL-3.0-or-later
# A cross build's render tool, built for the build machine while configuring: the same sources
# configured again without the cross settings, in the build's own folder. The flags in the
# environment are the target's (an arm64 build's branch protection, say), so they stay out.
set(native_build ${CMAKE_BINARY_DIR}/native-tools)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=CMAKE_TOOLCHAIN_FILE --unset=CXX --unset=CXXFLAGS
          --unset=CPPFLAGS --unset=LDFLAGS --unset=PKG_CONFIG_LIBDIR --unset=PKG_CONFIG_PATH
          ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${native_build} -DCMAKE_BUILD_TYPE=Release
          -DBUILD_TESTING=OFF -DHENGTIEBAO_BENCH=OFF -DHENGTIEBAO_WERROR=${HENGTIEBAO_WERROR}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${native_build} --target render_icon
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(HENGTIEBAO_HOST_TOOLS ${native_build}/host-tools.cmake)
