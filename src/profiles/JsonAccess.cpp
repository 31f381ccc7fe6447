#include "profiles/JsonAccess.h"

namespace dw::json {
namespace {

const Json::Value& NullValue()
{
    static const Json::Value kNull;
    return kNull;
}

}  // namespace

const Json::Value& Member(const Json::Value& object, const char* key)
{
    if (!object.isObject())
        return NullValue();
    const Json::Value* found = object.find(key, key + std::char_traits<char>::length(key));
    return found ? *found : NullValue();
}

const Json::Value& Element(const Json::Value& array, Json::ArrayIndex index)
{
    if (!array.isArray() || index >= array.size())
        return NullValue();
    return array[index];
}

std::optional<int32_t> ReadInt(const Json::Value& value)
{
    // isInt() is true only for numbers jsoncpp can convert to int without throwing: integers in
    // range and integral doubles in range.
    if (!value.isNumeric() || !value.isInt())
        return std::nullopt;
    return static_cast<int32_t>(value.asInt());
}

std::optional<uint32_t> ReadUint32(const Json::Value& value)
{
    if (!value.isNumeric() || !value.isUInt())
        return std::nullopt;
    return static_cast<uint32_t>(value.asUInt());
}

std::optional<bool> ReadBool(const Json::Value& value)
{
    if (value.isBool())
        return value.asBool();
    if (const auto number = ReadInt(value))
        return *number != 0;
    return std::nullopt;
}

std::optional<std::string> ReadString(const Json::Value& value)
{
    if (!value.isString())
        return std::nullopt;
    return value.asString();
}

Json::Value& ObjectMember(Json::Value& object, const char* key)
{
    if (!object.isObject())
        object = Json::Value(Json::objectValue);
    return object[key];
}

Json::Value& EnsureArray(Json::Value& value, Json::ArrayIndex size)
{
    if (!value.isArray())
        value = Json::Value(Json::arrayValue);
    if (value.size() < size)
        value.resize(size);
    return value;
}

}  // namespace dw::json
