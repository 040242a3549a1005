// Reading, saving and confirming the cabinet, and the built-in keyword tables.
#include "store/cabinet.h"

#include <optional>
#include <vector>

#include "files/atomic_write.h"
#include "files/posix_file.h"
#include "store/program_home.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// The file's bytes, at most the read limit of them; nothing when it cannot be read.
std::optional<std::vector<Byte>> ReadCabinetFile(const std::string& nativePath) {
    if (nativePath.empty())
        return std::nullopt;
    std::size_t fileLength = 0;
    FileDescriptor file = OpenRegularFileForReading(nativePath, fileLength);
    if (!file.IsOpen())
        return std::nullopt;
    std::vector<Byte> image(kCabinetReadLimit);
    const std::optional<std::size_t> done = ReadUpTo(file.Get(), image.data(), image.size());
    if (!done)
        return std::nullopt;
    image.resize(*done);
    return image;
}

std::string FolderOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : nativePath.substr(0, slash);
}

} // namespace

Cabinet::Cabinet() : m_current(DefaultDisplayBlock()), m_saved(m_current) {}

bool Cabinet::Open(ui::Platform& platform, const std::string& nativePath) {
    const std::optional<std::vector<Byte>> image = ReadCabinetFile(nativePath);
    if (!image) {
        ui::ShowMessage(platform, ui::kMsgFileReadError);
        return false;
    }
    // A full read means the file reaches the limit, which the image check refuses.
    std::optional<CabinetContents> contents = ParseCabinetImage(image->data(), image->size());
    if (!contents) {
        ui::ShowMessage(platform, ui::kMsgCabinetInvalid);
        return false;
    }
    m_current = m_saved = contents->block;
    m_currentKeywords = m_savedKeywords = std::move(contents->keywords);
    return true;
}

bool Cabinet::OpenAtStart(ui::Platform& platform, const std::string& nativePath,
                          const std::string& nativeSystemDir) {
    if (nativePath.empty())
        return Open(platform, nativePath);
    CopySystemFileWhenMissing(platform, FolderOf(nativePath), nativePath,
                              CabinetPath(nativeSystemDir));
    if (NoEntryAt(nativePath))
        return false;
    return Open(platform, nativePath);
}

bool Cabinet::Save(ui::Platform& platform, const std::string& nativePath,
                   const std::vector<CabinetDocument>& documents) {
    const std::vector<Byte> image = BuildCabinetImage(m_saved, m_savedKeywords, documents);
    const std::string folder = FolderOf(nativePath);
    const bool written = !nativePath.empty() && (folder.empty() || EnsureProgramHome(folder)) &&
                         WriteFileAtomically(nativePath, image.data(), image.size());
    if (!written) {
        ui::ShowMessage(platform, ui::kMsgFileWriteError);
        return false;
    }
    return true;
}

bool Cabinet::ConfirmSettings(ui::Platform& platform, const std::string& nativePath,
                              const std::vector<CabinetDocument>& documents) {
    m_saved = m_current;
    m_savedKeywords = m_currentKeywords;
    return Save(platform, nativePath, documents);
}

const std::vector<std::string>& Cabinet::CKeywords() {
    static const std::vector<std::string> keywords{
        "__asm",       "__fastcall", "__self",   "auto",      "float",  "__segment", "__based",
        "for",         "__segname",  "break",    "__fortran", "short",  "case",      "goto",
        "signed",      "__cdecl",    "__huge",   "sizeof",    "char",   "if",        "static",
        "const",       "__inline",   "struct",   "continue",  "int",    "switch",    "default",
        "__interrupt", "typedef",    "do",       "__loadds",  "union",  "double",    "long",
        "unsigned",    "else",       "__near",   "void",      "enum",   "__pascal",  "volatile",
        "__export",    "register",   "while",    "extern",    "return", "__far",     "__saveregs",
        "#define",     "#error",     "#include", "#elif",     "#if",    "#line",     "#else",
        "#ifdef",      "#pragma",    "#endif",   "#ifndef",   "#undef", "_based",    "_segname",
        "fortran",     "_fortran",   "_cdecl",   "cdecl",     "huge",   "_huge",     "_inline",
        "interrupt",   "_interrupt", "_loadds",  "near",      "_near",  "pascal",    "_pascal",
        "_export",     "far",        "_far",     "_saveregs"};
    return keywords;
}

const std::vector<std::string>& Cabinet::CppKeywords() {
    static const std::vector<std::string> keywords{"class",  "operator",  "try",
                                                   "delete", "private",   "virtual",
                                                   "friend", "protected", "__multiple_inheritance",
                                                   "inline", "public",    "__single_inheritance",
                                                   "new",    "this",      "__virtual_inheritance"};
    return keywords;
}

std::string CabinetPath(const std::string& nativeHome) {
    if (nativeHome.empty())
        return {};
    std::string path = nativeHome;
    if (path.back() != '/')
        path += '/';
    path += kCabinetFileName;
    if (path.size() >= kMaxCabinetPathBytes)
        return {};
    return path;
}

} // namespace nelvix
