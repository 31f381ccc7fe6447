#include "app/AutomationCommand.h"

#include <charconv>
#include <limits>
#include <vector>

namespace dw::app {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Splits at runs of spaces; empty words never appear.
std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        pos = end;
    }
    return words;
}

// The text after the first `count` words and the single space that follows them; nullopt when
// there are fewer words.
std::optional<std::string_view> RestAfterWords(std::string_view text, size_t count)
{
    size_t pos = 0;
    for (size_t i = 0; i < count; ++i) {
        pos = text.find_first_not_of(' ', pos);
        if (pos == std::string_view::npos)
            return std::nullopt;
        pos = text.find(' ', pos);
        if (pos == std::string_view::npos)
            return i + 1 == count ? std::optional<std::string_view>(std::string_view{}) : std::nullopt;
    }
    return text.substr(pos + 1);
}

template <class T>
std::optional<T> ParseNumber(std::string_view word)
{
    bool negative = false;
    if (!word.empty() && word.front() == '-' && std::numeric_limits<T>::is_signed) {
        negative = true;
        word.remove_prefix(1);
    }
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty())
        return std::nullopt;
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), magnitude, base);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    if (!negative) {
        if (magnitude > static_cast<uint64_t>(std::numeric_limits<T>::max()))
            return std::nullopt;
        return static_cast<T>(magnitude);
    }
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<T>::max()) + 1;
    if (magnitude > limit)
        return std::nullopt;
    return static_cast<T>(-static_cast<int64_t>(magnitude - 1) - 1);
}

AutomationParseResult Fail(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

AutomationParseResult Ok(AutomationCommand command)
{
    return {std::move(command), {}};
}

AutomationParseResult ParseEmulate(const std::vector<std::string_view>& words)
{
    if (words.size() < 3)
        return Fail("usage: emulate plug|unplug|power|notify DEVICE ...");
    AutomationCommand command;
    const std::string_view action = words[1];
    command.device = std::string(words[2]);
    if (action == "plug" || action == "unplug") {
        if (words.size() != 3)
            return Fail("usage: emulate " + std::string(action) + " DEVICE");
        command.verb = action == "plug" ? AutomationVerb::EmulatePlug : AutomationVerb::EmulateUnplug;
        return Ok(std::move(command));
    }
    if (action == "power") {
        if (words.size() != 4 || (words[3] != "on" && words[3] != "off"))
            return Fail("usage: emulate power DEVICE on|off");
        command.verb = AutomationVerb::EmulatePower;
        command.on = words[3] == "on";
        return Ok(std::move(command));
    }
    if (action == "notify") {
        if (words.size() != 4)
            return Fail("usage: emulate notify DEVICE CODE");
        const std::optional<uint16_t> code = ParseNumber<uint16_t>(words[3]);
        if (!code)
            return Fail("bad notification code " + std::string(words[3]));
        command.verb = AutomationVerb::EmulateNotify;
        command.code = *code;
        return Ok(std::move(command));
    }
    return Fail("unknown emulate action " + std::string(action));
}

}  // namespace

AutomationParseResult ParseAutomationCommand(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return Fail("control character in command (escape it as %XX in a text)");
    }
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty())
        return Fail("empty command");
    const std::string_view verb = words[0];
    AutomationCommand command;

    if (verb == "click" || verb == "get") {
        if (words.size() != 2)
            return Fail("usage: " + std::string(verb) + " NAME");
        command.verb = verb == "click" ? AutomationVerb::Click : AutomationVerb::Get;
        command.name = std::string(words[1]);
        return Ok(std::move(command));
    }
    if (verb == "select") {
        if (words.size() != 3)
            return Fail("usage: select NAME INDEX");
        const std::optional<int> index = ParseNumber<int>(words[2]);
        if (!index || *index < 0)
            return Fail("bad index " + std::string(words[2]));
        command.verb = AutomationVerb::Select;
        command.name = std::string(words[1]);
        command.index = *index;
        return Ok(std::move(command));
    }
    if (verb == "type") {
        if (words.size() < 2)
            return Fail("usage: type NAME TEXT");
        const std::optional<std::string> text = PercentDecode(RestAfterWords(line, 2).value_or(std::string_view{}));
        if (!text)
            return Fail("bad percent escape in text");
        command.verb = AutomationVerb::Type;
        command.name = std::string(words[1]);
        command.text = *text;
        return Ok(std::move(command));
    }
    if (verb == "message") {
        if (words.size() < 4)
            return Fail("usage: message NAME WPARAM LPARAM");
        const std::optional<uint64_t> wParam = ParseNumber<uint64_t>(words[words.size() - 2]);
        const std::optional<int64_t> lParam = ParseNumber<int64_t>(words.back());
        if (!wParam || !lParam)
            return Fail("bad message parameters");
        // The name is everything between the verb and the two numbers, spaces included.
        const size_t nameStart = static_cast<size_t>(words[1].data() - line.data());
        const size_t nameEnd = static_cast<size_t>(words[words.size() - 3].data() - line.data()) + words[words.size() - 3].size();
        command.verb = AutomationVerb::Message;
        command.name = std::string(line.substr(nameStart, nameEnd - nameStart));
        command.wParam = *wParam;
        command.lParam = *lParam;
        return Ok(std::move(command));
    }
    if (verb == "post") {
        if (words.size() != 4)
            return Fail("usage: post NUMBER WPARAM LPARAM");
        const std::optional<uint32_t> number = ParseNumber<uint32_t>(words[1]);
        if (!number || *number < kFirstPostableMessage || *number > kLastPostableMessage)
            return Fail("message number " + std::string(words[1]) + " is outside 0x0400..0xBFFF");
        const std::optional<uint64_t> wParam = ParseNumber<uint64_t>(words[2]);
        const std::optional<int64_t> lParam = ParseNumber<int64_t>(words[3]);
        if (!wParam || !lParam)
            return Fail("bad message parameters");
        command.verb = AutomationVerb::Post;
        command.messageNumber = *number;
        command.wParam = *wParam;
        command.lParam = *lParam;
        return Ok(std::move(command));
    }
    if (verb == "emulate")
        return ParseEmulate(words);
    if (verb == "screenshot") {
        const std::optional<std::string_view> file = RestAfterWords(line, 1);
        if (words.size() < 2 || !file || file->empty())
            return Fail("usage: screenshot FILE");
        command.verb = AutomationVerb::Screenshot;
        command.file = std::string(*file);
        return Ok(std::move(command));
    }
    if (verb == "quit") {
        if (words.size() != 1)
            return Fail("usage: quit");
        command.verb = AutomationVerb::Quit;
        return Ok(std::move(command));
    }
    return Fail("unknown command " + std::string(verb));
}

std::string PercentEncode(std::string_view text)
{
    std::string encoded;
    encoded.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
        if (unreserved) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHexDigits[byte >> 4]);
            encoded.push_back(kHexDigits[byte & 0x0F]);
        }
    }
    return encoded;
}

std::optional<std::string> PercentDecode(std::string_view text)
{
    auto hexValue = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return decoded;
}

std::string FormatGetAnswer(std::string_view utf8Text, bool visible, bool enabled, bool selected)
{
    return "ok text=" + PercentEncode(utf8Text) + " visible=" + (visible ? "1" : "0") + " enabled=" +
           (enabled ? "1" : "0") + " selected=" + (selected ? "1" : "0");
}

std::string FormatError(std::string_view reason)
{
    std::string answer = "error ";
    for (char c : reason)
        answer.push_back(c == '\n' || c == '\r' ? ' ' : c);
    return answer;
}

}  // namespace dw::app
