// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's two options, its answers and its refusals, in the user's language.
#include "ui/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLocale>
#include <algorithm>
#include <cstdio>

namespace hengtiebao {

using namespace Qt::StringLiterals;

namespace {

// The texts of one language, UTF-8. The refusals' %1 is the argument as it was typed.
struct Words {
    const char* help;
    const char* unknownOption;
    const char* unexpectedArgument;
    const char* tryHelp;
};

constexpr Words kEnglish{
    R"(Usage: hengtiebao [options]
Gives the theoretical weight of steel stock: plate, round, square and hexagon
bar, and the hot-rolled angles, channels and I-beams of the Chinese national
standards. Opens its window; stores nothing.

Options:
  -h, --help     show this help and exit
  -v, --version  show the version and exit

The toolkit's own options work too, such as -platform offscreen or -display :0.
See the manual page hengtiebao(1).
)",
    "hengtiebao: unknown option '%1'\n",
    "hengtiebao: unexpected argument '%1'\n",
    "Try 'hengtiebao --help' for more information.\n",
};

constexpr Words kChinese{
    R"(用法：hengtiebao [选项]
计算钢材的理论重量：钢板、圆钢、方钢、六角钢，以及国家标准热轧等边角钢、
不等边角钢、槽钢和工字钢。打开计算窗口；不保存任何内容。

选项：
  -h, --help     显示本帮助并退出
  -v, --version  显示版本号并退出

也接受 Qt 工具包自身的选项，例如 -platform offscreen、-display :0。
详见手册页 hengtiebao(1)。
)",
    "hengtiebao：未知选项“%1”\n",
    "hengtiebao：多余的参数“%1”\n",
    "运行“hengtiebao --help”查看用法。\n",
};

const Words& localWords() {
    return QLocale::system().language() == QLocale::Chinese ? kChinese : kEnglish;
}

// One line naming the first argument the program does not take, then the hint.
QString refusal(const QCommandLineParser& parser, const QStringList& arguments,
                const Words& words) {
    QString line;
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        // The parser keeps only the name; the user is shown what they typed, dashes and all.
        const auto typed =
            std::find_if(arguments.begin() + 1, arguments.end(), [&](const QString& argument) {
                const qsizetype dashes = argument.startsWith(u"--") ? 2 : 1;
                return argument.startsWith(u'-') &&
                       argument.sliced(dashes).section(u'=', 0, 0) == unknown.first();
            });
        line = QString::fromUtf8(words.unknownOption)
                   .arg(typed != arguments.end() ? *typed : unknown.first());
    } else if (!parser.positionalArguments().isEmpty()) {
        line =
            QString::fromUtf8(words.unexpectedArgument).arg(parser.positionalArguments().first());
    } else {
        // A value given to an option that takes none ("--version=2"): the toolkit's own words.
        line = u"hengtiebao: "_s + parser.errorText() + u'\n';
    }
    return line + QString::fromUtf8(words.tryHelp);
}

std::optional<CommandLineAnswer> read(const QStringList& arguments, bool refuseTheRest) {
    if (arguments.size() <= 1) return std::nullopt;  // the usual start makes no parser
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(QStringList{u"v"_s, u"version"_s});
    QCommandLineParser parser;
    // -word is one option, as the toolkit's own are (-platform, -style), not a run of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version});
    if (parser.parse(arguments) && parser.positionalArguments().isEmpty()) {
        if (parser.isSet(help)) return CommandLineAnswer{QString::fromUtf8(localWords().help), 0};
        if (parser.isSet(version))
            return CommandLineAnswer{QStringLiteral("hengtiebao " HENGTIEBAO_VERSION "\n"), 0};
        return std::nullopt;
    }
    if (!refuseTheRest) return std::nullopt;
    return CommandLineAnswer{refusal(parser, arguments, localWords()), 2};
}

}  // namespace

std::optional<CommandLineAnswer> answerBeforeToolkit(int argc, const char* const* argv) {
    if (argc <= 1) return std::nullopt;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return read(arguments, false);
}

std::optional<CommandLineAnswer> answerCommandLine(const QStringList& arguments) {
    return read(arguments, true);
}

int printAnswer(const CommandLineAnswer& answer) {
    std::fputs(answer.text.toLocal8Bit().constData(), answer.status == 0 ? stdout : stderr);
    return answer.status;
}

}  // namespace hengtiebao
