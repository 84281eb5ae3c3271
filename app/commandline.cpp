#include "commandline.h"

#include "commandtext.h"
#include "planezones.h"
#include "registryfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <span>
#include <utility>
#include <variant>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace tavorin {

using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_WIN
// A Windows program with a window starts without a console: what --help,
// --version or a bad option print goes to the console the program was
// started from, if any. Output already sent to a file or a pipe stays there.
void printToStartingConsole()
{
    static bool done = false;
    if (std::exchange(done, true))
        return;
    const auto unconnected = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE
            || GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    const bool out = unconnected(STD_OUTPUT_HANDLE), err = unconnected(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (out)
        std::freopen("CONOUT$", "w", stdout);
    if (err)
        std::freopen("CONOUT$", "w", stderr);
}

// A console takes the text as UTF-16, whatever its code page (chcp 932 or
// 65001); the C runtime's bytes would be read in the console's code page,
// which need not be the system's.
bool writeToConsole(std::FILE *stream, const QString &text)
{
    // A window program started without a console has no descriptor (-2).
    const int descriptor = _fileno(stream);
    if (descriptor < 0)
        return false;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    std::fflush(stream);
    DWORD written = 0;
    return WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()),
        DWORD(text.size()), &written, nullptr);
}

constexpr Qt::CaseSensitivity FileNameCase = Qt::CaseInsensitive;
#else
void printToStartingConsole()
{
}

bool writeToConsole(std::FILE *, const QString &)
{
    return false;
}

constexpr Qt::CaseSensitivity FileNameCase = Qt::CaseSensitive;
#endif

// Qt's own options, which QGuiApplication and QApplication take out of the
// arguments, with one dash or two: those followed by their value (or joined
// to it by '='), then those alone. The X11 ones stay where the platform is
// another, and are then unknown to the second parse.
constexpr QStringView QtOptionsWithValue[]
    = { u"platform", u"platformpluginpath", u"platformtheme", u"plugin", u"qwindowgeometry",
          u"qwindowicon", u"qwindowtitle", u"session", u"style", u"stylesheet", u"qmljsdebugger",
          u"display", u"geometry", u"title", u"name", u"icon", u"visual" };
constexpr QStringView QtFlags[]
    = { u"reverse", u"widgetcount", u"nograb", u"dograb", u"testability" };

// arguments without Qt's own options, up to "--", after which all are files.
QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--"_s) {
            kept += arguments.mid(i);
            break;
        }
        if (i == 0 || !argument.startsWith(u'-')) {
            kept << argument;
            continue;
        }
        QStringView name = QStringView(argument).mid(argument.startsWith(u"--"_s) ? 2 : 1);
        const qsizetype equals = name.indexOf(u'=');
        const bool joined = equals >= 0;
        if (joined)
            name = name.left(equals);
        const auto among = [name](std::span<const QStringView> names) {
            return std::find(names.begin(), names.end(), name) != names.end();
        };
        if (among(QtOptionsWithValue)) {
            if (!joined)
                ++i; // its value
        } else if (joined || !among(QtFlags)) {
            kept << argument;
        }
    }
    return kept;
}

// The options of an export without a window: where to, the zone, and the
// options of the plan on paper and of the DXF file, parsed once into an
// ExportRequest.
struct ExportCommandOptions
{
    explicit ExportCommandOptions(const QString &extensions, const QString &scales)
        : exportTo(u"export"_s, commandtext::ExportOption.arg(extensions), u"OUT"_s)
        , overwrite(u"overwrite"_s, commandtext::OverwriteOption)
        , zone(u"zone"_s, commandtext::ZoneOption, u"N|none"_s)
        , map(u"map"_s, commandtext::MapOption, u"NAME"_s)
        , paper(u"paper"_s, commandtext::PaperOption, u"A4|A3"_s)
        , landscape(u"landscape"_s, commandtext::LandscapeOption)
        , portrait(u"portrait"_s, commandtext::PortraitOption)
        , scale(u"scale"_s, commandtext::ScaleOption.arg(scales), u"N"_s)
        , date(u"date"_s, commandtext::DateOption, u"YYYY-MM-DD"_s)
        , datum(u"datum"_s, commandtext::DatumOption, u"2024|2011|2000|tokyo"_s)
        , textHeight(u"text-height"_s, commandtext::TextHeightOption, u"M"_s)
        , elevation(u"dxf-elevation"_s, commandtext::ElevationOption)
    {
    }

    QList<QCommandLineOption> all() const
    {
        return { exportTo, overwrite, zone, map, paper, landscape, portrait, scale, date, datum,
            textHeight, elevation };
    }

    // Whether the command line asks for no window: an export, or any of its
    // options, which are errors without it.
    bool anySet(const QCommandLineParser &parser) const
    {
        const QList<QCommandLineOption> options = all();
        return std::any_of(options.cbegin(), options.cend(),
            [&parser](const QCommandLineOption &o) { return parser.isSet(o); });
    }

    // The export the command line asks for, or why it cannot be done: an
    // error that ends it. extensions lists the formats for that error.
    std::variant<ExportRequest, QString> request(
        const QCommandLineParser &parser, const QString &inPath, const QString &extensions) const
    {
        const auto error = [](const QString &text) { return u"tavorin: "_s + text + u'\n'; };
        ExportRequest request { parser.value(exportTo), inPath, {}, parser.value(map) };
        const ExportFormat *format = exportFormat(request.outPath);
        if (!parser.isSet(exportTo)) {
            for (const QCommandLineOption &option : { zone, map, overwrite })
                if (parser.isSet(option))
                    return error(commandtext::NeedsExport.arg(option.names().constFirst()));
        } else if (request.inPath.isEmpty()) {
            return error(commandtext::ExportNeedsFile);
        } else if (!format) {
            return error(request.outPath + u": "_s + commandtext::UnknownFormat.arg(extensions));
        } else if (parser.isSet(map) && !registry::isRegistryPath(request.inPath)) {
            return error(commandtext::MapNeedsMapFile);
        }
        // The options of one format, and the extension of that format.
        const std::pair<const QCommandLineOption &, QStringView> formatOptions[]
            = { { paper, u"pdf" }, { landscape, u"pdf" }, { portrait, u"pdf" }, { scale, u"pdf" },
                  { date, u"pdf" }, { datum, u"pdf" }, { textHeight, u"dxf" },
                  { elevation, u"dxf" } };
        for (const auto &[option, extension] : formatOptions) {
            if (parser.isSet(option) && (!format || QStringView(format->extension) != extension))
                return error(commandtext::NeedsFormat.arg(option.names().constFirst(), extension));
        }
        ExportOptions &options = request.options;
        if (parser.isSet(zone)) {
            const QString value = parser.value(zone);
            bool number = false;
            options.zone = value.toInt(&number);
            if (value.compare(u"none"_s, Qt::CaseInsensitive) == 0)
                options.zone = geodesy::LocalZone;
            else if (!number || !geodesy::zone(options.zone))
                return error(commandtext::ZoneRefused.arg(value));
        }
        if (parser.isSet(paper)) {
            const QString sheet = parser.value(paper).toUpper();
            if (sheet != u"A4"_s && sheet != u"A3"_s)
                return error(commandtext::PaperRefused.arg(parser.value(paper)));
            options.sheet.paper = sheet == u"A3"_s ? paperplan::Paper::A3 : paperplan::Paper::A4;
        }
        if (parser.isSet(landscape) && parser.isSet(portrait))
            return error(commandtext::BothOrientations);
        if (parser.isSet(landscape))
            options.sheet.orientation = paperplan::Orientation::Landscape;
        if (parser.isSet(scale)) {
            // 500 or 1/500, as a surveyor writes it.
            QString n = parser.value(scale);
            if (n.startsWith(u"1/"_s))
                n.remove(0, 2);
            bool number = false;
            options.scale = n.toLongLong(&number);
            if (!number || options.scale < 1 || options.scale > paperplan::MaxScale)
                return error(commandtext::ScaleRefused.arg(parser.value(scale)));
        }
        if (parser.isSet(date)) {
            options.date = QDate::fromString(parser.value(date), Qt::ISODate);
            if (!options.date.isValid())
                return error(commandtext::DateRefused.arg(parser.value(date)));
        }
        if (parser.isSet(datum)) {
            const QString value = parser.value(datum);
            options.datum = paperplan::datumFromKey(value.toLower());
            if (options.datum == paperplan::Datum::Unstated)
                return error(commandtext::DatumRefused.arg(value));
        }
        if (parser.isSet(textHeight)) {
            const auto height = ExportOptions::textHeightFrom(parser.value(textHeight));
            if (!height)
                return error(commandtext::TextHeightRefused.arg(MinTextHeight)
                                 .arg(MaxTextHeight)
                                 .arg(parser.value(textHeight)));
            options.textHeight = *height;
        }
        options.elevationAsZ = parser.isSet(elevation);
        return request;
    }

    const QCommandLineOption exportTo, overwrite, zone, map, paper, landscape, portrait, scale,
        date, datum, textHeight, elevation;
};

// The option as typed among arguments ("--bogus", "-b", "--zone"), for a
// name the parser gives without its dashes.
QString typedOption(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments) {
        const QString typed = argument.section(u'=', 0, 0);
        if (typed.startsWith(u'-')
            && QStringView(typed).sliced(typed.startsWith(u"--"_s) ? 2 : 1) == name)
            return typed;
    }
    return (name.size() == 1 ? u"-"_s : u"--"_s) + name;
}

// Why the parser refused arguments, in the program's words. The parser
// says it in English, and only by its text for a missing or an unexpected
// value.
QString parseError(const QCommandLineParser &parser, const QStringList &arguments)
{
    QStringList lines;
    for (const QString &name : parser.unknownOptionNames())
        lines << commandtext::UnknownOption.arg(typedOption(arguments, name));
    if (lines.isEmpty()) {
        static const QRegularExpression value(u"^(Missing|Unexpected) value after '(.*)'\\.$"_s);
        const QRegularExpressionMatch match = value.match(parser.errorText());
        if (!match.hasMatch())
            lines << parser.errorText();
        else if (match.captured(1) == u"Missing"_s)
            lines << commandtext::MissingValue.arg(match.captured(2));
        else
            lines << commandtext::UnexpectedValue.arg(match.captured(2));
    }
    return u"tavorin: "_s + lines.join(u"\ntavorin: "_s) + u'\n';
}

// The columns a character takes on a console: two for kana, kanji and
// full-width forms, one for ASCII and half-width katakana.
int columns(QStringView text)
{
    int n = 0;
    for (const QChar c : text)
        n += c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
    return n;
}

// text in lines of at most width columns. Japanese breaks between any two
// characters, but not before 、。）」ー or a small kana, nor after （「;
// ASCII words, option names and file names among them, only at blanks.
// (Qt's parser wraps at blanks alone, which leaves Japanese lines twice too
// long.)
QStringList wrapped(const QString &text, int width)
{
    QStringList tokens; // ASCII words, blanks, and other characters one by one
    for (qsizetype i = 0; i < text.size();) {
        const auto word = [&text](qsizetype at) {
            return text[at].unicode() > u' ' && text[at].unicode() < 0x80;
        };
        qsizetype next = i + 1;
        if (word(i))
            while (next < text.size() && word(next))
                ++next;
        tokens << text.mid(i, next - i);
        i = next;
    }
    static const QString noLineStart = u"、。，）」：・ーァィゥェォッャュョっゃゅょ"_s,
                         noLineEnd = u"（「"_s;
    QStringList lines;
    for (qsizetype start = 0; start < tokens.size();) {
        if (tokens[start] == u" "_s) {
            ++start;
            continue;
        }
        qsizetype end = start;
        int used = 0;
        while (end < tokens.size()
            && (end == start || tokens[end] == u" "_s || used + columns(tokens[end]) <= width))
            used += columns(tokens[end++]);
        while (end < tokens.size() && end > start + 1
            && (noLineStart.contains(tokens[end].front())
                || noLineEnd.contains(tokens[end - 1].back())))
            --end;
        lines << tokens.mid(start, end - start).join(QString()).trimmed();
        start = end;
    }
    return lines;
}

// The help, laid out as Qt's parser lays it out, in the program's words and
// wrapped for Japanese.
QString helpText(const QList<QCommandLineOption> &options, const QString &fileSyntax,
    const QString &fileDescription)
{
    constexpr int Width = 79;
    QList<std::pair<QString, QString>> rows; // names, description
    for (const QCommandLineOption &option : options) {
        QStringList names;
        for (const QString &name : option.names())
            names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
        QString left = names.join(u", "_s);
        if (!option.valueName().isEmpty())
            left += u" <"_s + option.valueName() + u'>';
        rows.append({ left, option.description() });
    }
    int nameColumns = 0;
    for (const auto &[names, description] : rows)
        nameColumns = std::max(nameColumns, columns(names));
    const int indent = 2 + nameColumns + 2;
    const auto table = [indent](const QList<std::pair<QString, QString>> &entries) {
        QString text;
        for (const auto &[names, description] : entries) {
            const QStringList lines = wrapped(description, Width - indent);
            text += u"  "_s + names + QString(indent - 2 - columns(names), u' ') + lines.value(0)
                + u'\n';
            for (const QString &line : lines.mid(1))
                text += QString(indent, u' ') + line + u'\n';
        }
        return text;
    };
    return commandtext::Usage + u" tavorin "_s + commandtext::OptionsWord + u' ' + fileSyntax
        + u'\n' + wrapped(commandtext::Description, Width).join(u'\n') + u"\n\n"_s
        + commandtext::OptionsHeading + u'\n' + table(rows) + u'\n' + commandtext::ArgumentsHeading
        + u'\n' + table({ { u"FILE"_s, fileDescription } });
}

} // namespace

CommandLine parseCommandLine(const QStringList &allArguments)
{
    QCoreApplication::setApplicationName(u"tavorin"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVORIN_VERSION));
    const QStringList arguments = withoutQtOptions(allArguments);
    QCommandLineParser parser;
    // -bogus is one unknown option, not six.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({ u"h"_s, u"help"_s }, commandtext::HelpOption);
    const QCommandLineOption version({ u"v"_s, u"version"_s }, commandtext::VersionOption);
    parser.addOptions({ help, version });
    const QString fileSyntax = u"[FILE.sim|FILE.csv|FILE.xml|FILE.zip]"_s;
    parser.addPositionalArgument(u"FILE"_s, commandtext::FileArgument, fileSyntax);
    QStringList extensions;
    for (const ExportFormat &format : exportFormats())
        extensions << u'.' + QString::fromUtf16(format.extension);
    QStringList scales;
    for (const qint64 n : paperplan::Scales)
        scales << u"1/"_s + QString::number(n);
    const ExportCommandOptions exporting(extensions.join(u", "_s), scales.join(u'、'));
    parser.addOptions(exporting.all());

    CommandLine line;
    const auto end = [&line](int code, const QString &output) {
        line.exitCode = code;
        line.output = output;
        return line;
    };
    const bool parsed = parser.parse(arguments);
    line.withoutWindow = exporting.anySet(parser);
    const ExportFormat *format = exportFormat(parser.value(exporting.exportTo));
    line.paints = parser.isSet(exporting.exportTo) && format && format->paints;
    // Help and version count even beside a bad option.
    if (parser.isSet(help))
        return end(0,
            helpText(
                QList { help, version } + exporting.all(), fileSyntax, commandtext::FileArgument));
    if (parser.isSet(version))
        return end(0, u"tavorin "_s + QCoreApplication::applicationVersion() + u'\n');
    if (!parsed)
        return end(1, parseError(parser, arguments));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return end(1, u"tavorin: "_s + commandtext::AtMostOneFile + u'\n');
    if (!line.withoutWindow) {
        line.filePath = files.value(0);
        return line;
    }
    std::variant<ExportRequest, QString> request
        = exporting.request(parser, files.value(0), extensions.join(u", "_s));
    if (const QString *error = std::get_if<QString>(&request))
        return end(1, *error);
    line.exportRequest = std::get<ExportRequest>(std::move(request));
    line.overwrite = parser.isSet(exporting.overwrite);
    return line;
}

QString outputRefusal(const ExportRequest &request, bool overwrite)
{
    const QFileInfo out(request.outPath);
    if (!out.exists())
        return {};
    const QString at = u"tavorin: "_s + request.outPath + u": "_s;
    // Both exist here: canonical paths, symbolic links resolved.
    const QString in = QFileInfo(request.inPath).canonicalFilePath();
    if (!in.isEmpty() && in.compare(out.canonicalFilePath(), FileNameCase) == 0)
        return at + commandtext::SameAsInput + u'\n';
    if (!overwrite)
        return at + commandtext::OutputExists + u'\n';
    return {};
}

ExportOutcome runCommandExport(const CommandLine &line)
{
    if (!line.exportRequest)
        return {};
    if (const QString refused = outputRefusal(*line.exportRequest, line.overwrite);
        !refused.isEmpty())
        return { 1, refused, {} };
    return runExport(*line.exportRequest);
}

void print(Stream stream, const QString &text)
{
    if (text.isEmpty())
        return;
    printToStartingConsole();
    std::FILE *file = stream == Stream::Output ? stdout : stderr;
    if (!writeToConsole(file, text))
        std::fputs(text.toLocal8Bit().constData(), file);
}

} // namespace tavorin
