#pragma once

// Reading and editing members of documents that may have any shape. jsoncpp's own accessors
// throw (or abort) when a value has an unexpected type — `asInt()` on a string, `operator[]` on
// an array — and a document on disk can hold anything, so every group reader and writer of the
// profile code goes through these helpers instead. None of them throws.

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <string>

namespace dw::json {

// The member `key` of `object`, or a null value when `object` is not an object or lacks it.
const Json::Value& Member(const Json::Value& object, const char* key);

// Element `index` of `array`, or a null value when `array` is not an array or is shorter.
const Json::Value& Element(const Json::Value& array, Json::ArrayIndex index);

// A whole number that fits a 32-bit signed integer (an integral double such as 3.0 counts);
// nothing for any other type or range.
std::optional<int32_t> ReadInt(const Json::Value& value);

// A whole number that fits a 32-bit unsigned integer; nothing for any other type or range.
std::optional<uint32_t> ReadUint32(const Json::Value& value);

// A boolean, or a whole number (non-zero is true); nothing for any other type.
std::optional<bool> ReadBool(const Json::Value& value);

// A string's bytes; nothing for any other type.
std::optional<std::string> ReadString(const Json::Value& value);

// A 32-bit member cut to the width of its field, as the device records keep them.
inline std::optional<uint8_t> ReadUint8(const Json::Value& value)
{
    const auto v = ReadInt(value);
    return v ? std::optional<uint8_t>(static_cast<uint8_t>(*v & 0xFF)) : std::nullopt;
}
inline std::optional<uint16_t> ReadUint16(const Json::Value& value)
{
    const auto v = ReadInt(value);
    return v ? std::optional<uint16_t>(static_cast<uint16_t>(*v & 0xFFFF)) : std::nullopt;
}

// The member `key` of `object` for writing. When `object` is not an object it becomes an empty
// one first (a value of the wrong shape is replaced rather than edited).
Json::Value& ObjectMember(Json::Value& object, const char* key);

// `value` made an array (replacing any other shape) of at least `size` elements; new elements
// are null.
Json::Value& EnsureArray(Json::Value& value, Json::ArrayIndex size);

// How a settings group was found in a document: absent (the record keeps its defaults),
// present with some members missing or unreadable (those keep their defaults), or complete.
enum class GroupRead { Missing, Partial, Complete };

// Counts how many fields of a group were found while reading it, so that a reader can tell a
// complete group from one that fell back to defaults for some members.
class FieldTally {
public:
    // Stores `*read` into `field` when it holds a value; counts the field either way.
    template <typename T, typename U>
    void Take(T& field, const std::optional<U>& read)
    {
        ++expected_;
        if (read) {
            field = static_cast<T>(*read);
            ++found_;
        }
    }
    void Count(bool found)
    {
        ++expected_;
        found_ += found ? 1 : 0;
    }
    int Found() const { return found_; }
    int Expected() const { return expected_; }
    bool Complete() const { return found_ == expected_; }
    GroupRead Result() const { return Complete() ? GroupRead::Complete : GroupRead::Partial; }

private:
    int found_ = 0;
    int expected_ = 0;
};

}  // namespace dw::json
