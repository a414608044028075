#include "settings/named/json_values.h"

#include "core/hex.h"
#include "core/numeric_correction.h"

namespace k470 {
namespace {

const Json& EmptyObject() {
  static const Json empty = Json::object();
  return empty;
}

const Json& MemberOr(const Json& object, std::string_view key) {
  const auto found = object.find(std::string(key));
  return found != object.end() ? *found : EmptyObject();
}

std::string ListTexts(std::span<const ListEntry> list) {
  std::string texts;
  for (const ListEntry& e : list) {
    texts += (texts.empty() ? "\"" : ", \"") + std::string(e.text) + "\"";
  }
  return texts;
}

}  // namespace

Json ListValue(std::span<const ListEntry> list, int code) {
  for (const ListEntry& e : list) {
    if (e.code == code) return std::string(e.text);
  }
  return Json{{"unknown_code", code}};
}

int CorrectedNumber(unsigned stored, int min, int max) {
  const std::string text = std::to_string(stored);
  return NumericValue(CorrectToRange(text, min, max).value_or(text));
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string HexOf(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const std::uint8_t b : bytes) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0xF];
  }
  return hex;
}

std::optional<std::vector<std::uint8_t>> BytesOfHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigitValue(static_cast<unsigned char>(hex[i]));
    const int low = HexDigitValue(static_cast<unsigned char>(hex[i + 1]));
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return bytes;
}

JsonPatch::JsonPatch(const Json& in, const Json& shown, const Json& start, std::string path)
    : in_(in),
      shown_(shown.is_object() ? shown : EmptyObject()),
      start_(start.is_object() ? start : EmptyObject()),
      path_(std::move(path)) {
  if (!in_.is_object()) throw SettingError(path_, "must be an object");
}

std::string JsonPatch::KeyPath(std::string_view key) const {
  return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
}

bool JsonPatch::Has(std::string_view key) const {
  asked_.emplace(key);
  return in_.contains(key);
}

const Json* JsonPatch::Changed(std::string_view key) {
  if (!Has(key)) return nullptr;
  const Json& v = in_.at(std::string(key));
  const auto shown = shown_.find(std::string(key));
  if (shown != shown_.end() && *shown == v) return nullptr;
  changed_ = true;
  return &v;
}

const Json* JsonPatch::Given(std::string_view key) {
  if (!Has(key)) return nullptr;
  changed_ = true;
  return &in_.at(std::string(key));
}

bool JsonPatch::Unedited(std::string_view key) const {
  if (!Has(key)) return false;
  const auto start = start_.find(std::string(key));
  return start != start_.end() && *start == in_.at(std::string(key));
}

JsonPatch JsonPatch::Child(std::string_view key) const {
  asked_.emplace(key);
  return JsonPatch(in_.at(std::string(key)), MemberOr(shown_, key), MemberOr(start_, key),
                   KeyPath(key));
}

void JsonPatch::Bool(std::string_view key, bool& field) {
  if (const Json* v = Changed(key)) {
    if (!v->is_boolean()) throw SettingError(KeyPath(key), "must be true or false");
    field = v->get<bool>();
  }
}

void JsonPatch::List(std::string_view key, std::span<const ListEntry> list, int& code) {
  const Json* v = Changed(key);
  if (!v) return;
  if (v->is_string()) {
    for (const ListEntry& e : list) {
      if (e.text == v->get<std::string>()) {
        code = e.code;
        return;
      }
    }
  }
  if (v->is_object() && v->contains("unknown_code")) {
    throw SettingError(KeyPath(key), "a code without a list entry can be kept, not chosen");
  }
  throw SettingError(KeyPath(key), "must be one of " + ListTexts(list));
}

void JsonPatch::Text(std::string_view key, std::size_t max_length, std::string& field) {
  if (const Json* v = Changed(key)) field = Latin1Of(*v, KeyPath(key), max_length);
}

void JsonPatch::RefuseUnknownKeys(const std::string& why) const {
  for (const auto& [key, value] : in_.items()) {
    // An unedited value may belong to a setting that an edit (of interface,
    // say) took away: it is kept out.
    const auto start = start_.find(key);
    if (asked_.contains(key) || (start != start_.end() && *start == value)) continue;
    throw SettingError(KeyPath(key), why);
  }
}

int JsonPatch::NumberOf(const Json& v, const std::string& path, int min, int max) {
  if (!v.is_number_integer() || v.get<long long>() < min || v.get<long long>() > max) {
    throw SettingError(
        path, "must be a whole number from " + std::to_string(min) + " to " + std::to_string(max));
  }
  return v.get<int>();
}

std::string JsonPatch::Latin1Of(const Json& v, const std::string& path, std::size_t max_length) {
  if (!v.is_string()) throw SettingError(path, "must be a text");
  const std::string& utf8 = v.get_ref<const std::string&>();
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      throw SettingError(path, "holds a character the reader cannot store (Latin-1 only)");
    }
  }
  if (out.find('\0') != std::string::npos) throw SettingError(path, "holds a 0 character");
  if (out.size() > max_length) {
    throw SettingError(path, "at most " + std::to_string(max_length) + " characters");
  }
  return out;
}

}  // namespace k470
