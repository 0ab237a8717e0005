// vellacor-tool pack: makes a self-viewing program file.
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "app/TextUtil.h"
#include "archive/SenderFacts.h"
#include "main/HtmlPack.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"
#include "packing/Packer.h"
#include "platform/ProgramPath.h"
#include "privacy/LivingRule.h"

namespace vx::tool {
namespace {

constexpr const char* kHelp = R"(Usage: vellacor-tool pack GEDCOM -o OUTPUT [OPTIONS]

Makes OUTPUT, a self-viewing program file: a copy of the viewer followed by
the compressed GEDCOM file and the creator's facts. OUTPUT is marked
executable.

By default OUTPUT is self-contained: it carries the viewer's whole runtime
(Qt, the libraries it needs, the C and C++ runtime, a fallback font) behind
a small start-up stub, taken from vellacor-standalone beside this tool. The
recipient needs only an x86-64 Linux with glibc 2.31 or later (or none at
all), an X11 display or Xwayland, and about 100 MB free in ~/.cache or the
temporary folder, where the runtime is unpacked once and shared by every
file packed with the same viewer.

An OUTPUT ending in .html (or .htm) is the browser edition instead: one
HTML file that any current browser opens offline, from the file alone. It
carries the viewer's core as WebAssembly and the page, from the web folder
beside this tool (or --web-parts FOLDER), with the same archive and facts.

With --viewer the given viewer is copied as it is: the plain form, for
developers. The recipient then needs Qt 6.4 and the other libraries that
viewer was linked against (on Debian 12: qt6-base).

Options:
  -o, --output FILE      the program file to write (required)
      --viewer PATH      copy this viewer as it is instead (the plain form)
      --web-parts FOLDER the browser edition's parts, for an .html OUTPUT
      --title T          title of the file (at most 31 bytes)
      --name N           the creator's name (63)
      --email E          the creator's e-mail address (63)
      --addr1 A          first address line (63)
      --addr2 A          second address line (63)
      --web W            the creator's web site (63)
      --phone P          the creator's phone number (31)
      --message TEXT     a message for the recipient (1023)
      --message-file F   the message, read from a UTF-8 file
      --file-name NAME   the file name the viewer proposes when extracting
                         (default: the GEDCOM's own name; at most 63 bytes)
      --start N          number of the individual shown first (default 1)
      --allow-extract    let the recipient extract the GEDCOM file
      --convert-utf16    pack a UTF-16 GEDCOM file as UTF-8 instead of refusing it
      --living MODE      privacy for the living: keep (the default, so scripts
                         keep working), name-only or hide
  -h, --help             show this help

Texts are given in UTF-8 and stored in Windows-1252; a text with characters
Windows-1252 lacks, or longer than its limit in bytes, is refused.

Privacy for the living. With --living name-only, everyone who may be living
keeps only their name, sex and family links: every event, attribute, note,
source citation, LDS ordinance and media link leaves their record, and a
family whose spouses are all living keeps only its spouse and child links.
--living hide also replaces their given names by "Living" (the surname
stays). Notes, sources and media that only removed lines pointed at are left
out. The GEDCOM file itself is never changed: a rewritten copy is packed
(a UTF-16 file as UTF-8), and the tool says how many individuals were made
private. Who counts as living:
)";

const std::vector<OptionSpec> kOptions = {
    {"output", 'o', true},       {"viewer", 0, true},
    {"title", 0, true},          {"name", 0, true},
    {"email", 0, true},          {"addr1", 0, true},
    {"addr2", 0, true},          {"web", 0, true},
    {"phone", 0, true},          {"message", 0, true},
    {"message-file", 0, true},   {"file-name", 0, true},
    {"start", 0, true},          {"allow-extract", 0, false},
    {"convert-utf16", 0, false}, {"living", 0, true},
    {"help", 'h', false},        {"web-parts", 0, true},
};

// Which option fills which trailer text.
struct TextOption {
    std::string_view Option;
    std::string_view Field;
};
constexpr TextOption kTextOptions[] = {
    {"title", "Title"}, {"name", "SenderName"}, {"email", "Email"}, {"addr1", "Addr1"},
    {"addr2", "Addr2"}, {"web", "WebSite"},     {"phone", "Phone"},
};

// UTF-8 text from the command line as the Windows-1252 text of a trailer
// field, or a VxError naming the option.
std::string TrailerText(const std::string& utf8, std::string_view option,
                        const SenderTextField& field) {
    const std::string problem = SenderTextProblem(utf8, field);
    if (problem.empty()) return SenderTextToTrailer(utf8);
    // "the text is 32 bytes long ..." reads "--title is 32 bytes long ...".
    constexpr std::string_view kSubject = "the text ";
    const std::string name = "--" + std::string(option);
    if (problem.rfind("the text is ", 0) == 0)
        throw VxError(name + " " + problem.substr(kSubject.size()));
    throw VxError(name + ": " + problem);
}

std::string ReadTextFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) throw VxError("cannot read the message file " + path + ": " + error.message());
    if (size > 64 * 1024) throw VxError("the message file " + path + " is too long");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw VxError("cannot open the message file " + path);
    std::string text(size, '\0');
    const size_t got = std::fread(text.data(), 1, text.size(), file);
    std::fclose(file);
    text.resize(got);
    return text;
}

constexpr const char* kSelfContainedViewer = "vellacor-standalone";

// The self-contained viewer image built beside this tool.
std::string DefaultViewer() {
    const std::string tool = platform::ProgramPath();
    const std::string path =
        tool.empty() ? kSelfContainedViewer
                     : (std::filesystem::path(tool).parent_path() / kSelfContainedViewer).string();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw UsageError("the self-contained viewer " + path +
                         " is missing (builds without the windows have none); "
                         "give a viewer with --viewer");
    return path;
}

}  // namespace

int RunPack(const std::vector<std::string>& args) {
    const ToolArgs parsed(args, kOptions);
    if (parsed.Has("help")) {
        std::fputs(kHelp, stdout);
        std::fputs(privacy::kLivingRuleText, stdout);
        return kExitOk;
    }
    parsed.ExpectPositionals(1, "GEDCOM file");
    if (!parsed.Has("output")) throw UsageError("missing -o OUTPUT");
    if (parsed.Has("message") && parsed.Has("message-file"))
        throw UsageError("give --message or --message-file, not both");

    TPackRequest request;
    request.GedcomPath = parsed.Positionals()[0];
    request.OutputPath = *parsed.Value("output");
    const bool html = IsHtmlOutput(request.OutputPath);
    if (!html)
        request.ViewerPath = parsed.Has("viewer") ? *parsed.Value("viewer") : DefaultViewer();
    request.ConvertUtf16 = parsed.Has("convert-utf16");
    if (auto living = parsed.Value("living"))
        if (!privacy::ParseLivingMode(*living, request.Living))
            throw UsageError("--living takes keep, name-only or hide, not '" + *living + "'");

    SenderRecord& sender = request.Sender;
    for (const TextOption& text : kTextOptions)
        if (auto value = parsed.Value(text.Option))
            sender.*SenderFieldNamed(text.Field).Text =
                TrailerText(*value, text.Option, SenderFieldNamed(text.Field));

    if (auto message = parsed.Value("message"))
        sender.Message =
            TrailerText(SenderMessageLines(*message), "message", SenderFieldNamed("Message"));
    if (auto file = parsed.Value("message-file"))
        sender.Message = TrailerText(SenderMessageLines(ReadTextFile(*file)), "message-file",
                                     SenderFieldNamed("Message"));

    const std::string fileName =
        parsed.Value("file-name")
            .value_or(std::filesystem::path(request.GedcomPath).filename().string());
    try {
        sender.FileName = TrailerText(fileName, "file-name", SenderFieldNamed("FileName"));
    } catch (const VxError& error) {
        if (parsed.Has("file-name")) throw;
        throw VxError("the GEDCOM's file name does not fit the trailer (" +
                      std::string(error.what()) + "); give one with --file-name");
    }

    sender.StartIndividual = 1;
    if (auto start = parsed.Value("start")) {
        int32_t number = 0;
        if (!ParseInt(*start, number) || number < 0)
            throw UsageError("--start needs a whole number from 0 up, not '" + *start + "'");
        sender.StartIndividual = number;
    }
    sender.AllowExtract = parsed.Has("allow-extract") ? 1 : 0;
    sender.Created = DateTimeFromUnixTime(static_cast<int64_t>(std::time(nullptr)));

    const TPackResult result =
        html ? PackHtml(request, parsed.Value("web-parts").value_or(DefaultWebFolder()))
             : PackProgram(request);
    std::printf("%s: %lld bytes of GEDCOM in %d blocks, archive %lld bytes, file %lld bytes\n",
                request.OutputPath.c_str(), static_cast<long long>(result.GedcomBytes),
                result.BlockCount, static_cast<long long>(result.ArchiveBytes),
                static_cast<long long>(result.OutputBytes));
    if (request.Living != privacy::LivingMode::Keep)
        std::printf("%d of %d individuals were made private (%s)\n", result.PrivateCount,
                    result.IndividualCount,
                    std::string(privacy::LivingModeName(request.Living)).c_str());
    return kExitOk;
}

}  // namespace vx::tool
