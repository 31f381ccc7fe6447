#include "profiles/JsonDocument.h"

#include "platform/DebugOutput.h"
#include "platform/Utf8.h"

#include <json/reader.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dw {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr unsigned kRightMargin = 74;
constexpr std::string_view kIndentStep = "   ";
constexpr size_t kMaxFileNameBytes = 200;

void Debug(std::wstring_view what, const std::string& path)
{
    if (DebugOutputEnabled())
        DebugOutput(std::wstring(what) + platform::Utf8ToWide(path));
}

// A file descriptor closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a deferred write error shows here).
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// ----- styled text -------------------------------------------------------------------------

void AppendQuoted(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    // Strings are written as UTF-8; bytes that are not valid UTF-8 are replaced so that the
    // file stays valid UTF-8 whatever a caller stored.
    const std::string valid = platform::WideToUtf8(platform::Utf8ToWide(text));
    for (const char ch : valid) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out.push_back(kHex[c >> 4]);
                out.push_back(kHex[c & 0xF]);
            } else {
                out.push_back(ch);
            }
        }
    }
    out.push_back('"');
}

std::string DoubleText(double value)
{
    // JSON has no infinities or NaN; such a value is written as null.
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    std::string text(buffer, result.ptr);
    // A real number keeps a fraction or exponent so that it reads back as a real.
    if (text.find_first_of(".eE") == std::string::npos)
        text += ".0";
    return text;
}

std::string ScalarText(const Json::Value& value)
{
    std::string text;
    switch (value.type()) {
    case Json::nullValue: return "null";
    case Json::intValue: return std::to_string(value.asLargestInt());
    case Json::uintValue: return std::to_string(value.asLargestUInt());
    case Json::realValue: return DoubleText(value.asDouble());
    case Json::booleanValue: return value.asBool() ? "true" : "false";
    case Json::stringValue: {
        const char* begin = nullptr;
        const char* end = nullptr;
        if (value.getString(&begin, &end))
            AppendQuoted(text, std::string_view(begin, static_cast<size_t>(end - begin)));
        else
            text = "\"\"";
        return text;
    }
    case Json::arrayValue: return "[]";
    case Json::objectValue: return "{}";
    }
    return "null";
}

// The styled layout: objects open on the line of their key, one member per line, arrays of
// scalars on one line when "[ a, b ]" stays under the right margin.
class StyledTextWriter {
public:
    std::string Write(const Json::Value& root)
    {
        out_.clear();
        indent_.clear();
        WriteValue(root);
        out_ += '\n';
        return std::move(out_);
    }

private:
    void WriteIndent()
    {
        if (!out_.empty()) {
            // A value that follows its key on the same line starts there.
            if (out_.back() == ' ')
                return;
            if (out_.back() != '\n')
                out_ += '\n';
        }
        out_ += indent_;
    }
    void WriteWithIndent(std::string_view text)
    {
        WriteIndent();
        out_ += text;
    }
    void Indent() { indent_ += kIndentStep; }
    void Unindent() { indent_.resize(indent_.size() - kIndentStep.size()); }

    void WriteValue(const Json::Value& value)
    {
        if (value.isObject() && !value.empty()) {
            WriteObject(value);
        } else if (value.isArray() && !value.empty()) {
            WriteArray(value);
        } else {
            out_ += ScalarText(value);
        }
    }

    void WriteObject(const Json::Value& value)
    {
        const Json::Value::Members names = value.getMemberNames();
        WriteWithIndent("{");
        Indent();
        for (size_t i = 0; i < names.size(); ++i) {
            std::string key;
            AppendQuoted(key, names[i]);
            WriteWithIndent(key);
            out_ += ": ";
            WriteValue(value[names[i]]);
            if (i + 1 < names.size())
                out_ += ',';
        }
        Unindent();
        WriteWithIndent("}");
    }

    // Returns the one-line texts of the elements when the array fits on one line.
    static bool SingleLine(const Json::Value& value, std::vector<std::string>& texts)
    {
        const Json::ArrayIndex size = value.size();
        if (size * 3 >= kRightMargin)
            return false;
        for (Json::ArrayIndex i = 0; i < size; ++i) {
            const Json::Value& child = value[i];
            if ((child.isArray() || child.isObject()) && !child.empty())
                return false;
        }
        size_t lineLength = 4 + (size - 1) * 2;  // "[ " + ", " between + " ]"
        texts.reserve(size);
        for (Json::ArrayIndex i = 0; i < size; ++i) {
            texts.push_back(ScalarText(value[i]));
            lineLength += texts.back().size();
        }
        return lineLength < kRightMargin;
    }

    void WriteArray(const Json::Value& value)
    {
        std::vector<std::string> texts;
        if (SingleLine(value, texts)) {
            out_ += "[ ";
            for (size_t i = 0; i < texts.size(); ++i) {
                if (i != 0)
                    out_ += ", ";
                out_ += texts[i];
            }
            out_ += " ]";
            return;
        }
        WriteWithIndent("[");
        Indent();
        const Json::ArrayIndex size = value.size();
        for (Json::ArrayIndex i = 0; i < size; ++i) {
            WriteIndent();
            WriteValue(value[i]);
            if (i + 1 < size)
                out_ += ',';
        }
        Unindent();
        WriteWithIndent("]");
    }

    std::string out_;
    std::string indent_;
};

// ----- files -------------------------------------------------------------------------------

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Creates a temporary file beside `target` that no other writer uses. Empty name on failure.
std::string CreateTemporaryBeside(const std::string& target, int& fd)
{
    static std::atomic<unsigned> counter{0};
    const std::string base = target + ".tmp-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = base + std::to_string(counter.fetch_add(1));
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    fd = -1;
    return {};
}

bool WriteFileAtomically(const std::string& target, std::string_view bytes)
{
    if (target.empty())
        return false;
    int rawFd = -1;
    const std::string temporary = CreateTemporaryBeside(target, rawFd);
    if (temporary.empty())
        return false;
    FileDescriptor fd(rawFd);

    // A document replaced in place keeps the permissions its owner gave it.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        (void)::fchmod(fd.Get(), existing.st_mode & 07777);

    const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0 && fd.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here leaves the new document in place anyway.
    const FileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        (void)::fsync(folder.Get());
    return true;
}

}  // namespace

std::string ReadFileText(const std::wstring& path)
{
    const std::string nativePath = platform::WideToUtf8(path);
    if (nativePath.empty())
        return {};
    // Non-blocking so that a pipe or device node given as a path cannot stall the reader; such
    // files are refused below anyway.
    const FileDescriptor fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        Debug(L"document not opened: ", nativePath);
        return {};
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<uint64_t>(info.st_size) > kMaxDocumentBytes) {
        Debug(L"document refused (not a regular file or too large): ", nativePath);
        return {};
    }
    std::string text;
    text.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(fd.Get(), text.data() + done, text.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    // A short read means the file changed or failed under us; half a document is no document.
    if (done != text.size()) {
        Debug(L"document not read completely: ", nativePath);
        return {};
    }
    return text;
}

Json::Value ParseJsonText(std::string_view text)
{
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());
    if (text.empty())
        return Json::Value();
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = false;
    builder["stackLimit"] = kMaxDocumentDepth;
    Json::Value root;
    try {
        const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        std::string errors;
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors))
            return Json::Value();
    } catch (...) {
        // The reader throws when the nesting limit is exceeded; such a document is invalid.
        return Json::Value();
    }
    return root;
}

Json::Value ReadJsonDocument(const std::wstring& path)
{
    const std::string text = ReadFileText(path);
    if (text.empty())
        return Json::Value();
    Json::Value root = ParseJsonText(text);
    if (root.isNull())
        Debug(L"document is not valid JSON: ", platform::WideToUtf8(path));
    return root;
}

std::string StyledJsonText(const Json::Value& value)
{
    std::string text = StyledTextWriter().Write(value);
    text += '\n';
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

bool WriteJsonDocument(const std::wstring& path, const Json::Value& value)
{
    const std::string nativePath = platform::WideToUtf8(path);
    const bool written = WriteFileAtomically(nativePath, StyledJsonText(value));
    if (!written)
        Debug(L"document not written: ", nativePath);
    return written;
}

std::string MakeTimestampId(std::chrono::system_clock::time_point when)
{
    const auto sinceEpoch = when.time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - seconds).count();
    const std::time_t t = static_cast<std::time_t>(seconds.count());
    std::tm local {};
    if (::localtime_r(&t, &local) == nullptr)
        return {};
    char buffer[kMaxFileNameBytes];
    const int length = std::snprintf(buffer, sizeof(buffer), "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                                     local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                                     static_cast<int>(millis));
    if (length <= 0)
        return {};
    return std::string(buffer, std::min(static_cast<size_t>(length), sizeof(buffer) - 1));
}

std::string MakeTimestampId() { return MakeTimestampId(std::chrono::system_clock::now()); }

std::wstring FileTitleOf(std::wstring_view path)
{
    const size_t slash = path.rfind(L'/');
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos && dot != 0)
        name = name.substr(0, dot);
    return std::wstring(name);
}

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name.size() > kMaxFileNameBytes)
        return false;
    if (name.find("..") != std::string_view::npos)
        return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

}  // namespace dw
