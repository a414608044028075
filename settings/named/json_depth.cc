// Parses an import's text in two passes: the first only counts the nesting,
// so a text of a million '[' is refused without a value being built.
#include "settings/named/settings_json.h"

namespace k470 {
namespace {

class DepthCounter : public nlohmann::json_sax<Json> {
 public:
  bool too_deep() const { return too_deep_; }

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return Enter(); }
  bool key(string_t&) override { return true; }
  bool end_object() override { return Leave(); }
  bool start_array(std::size_t) override { return Enter(); }
  bool end_array() override { return Leave(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  bool Enter() {
    too_deep_ = ++depth_ > kMaxJsonDepth;
    return !too_deep_;
  }
  bool Leave() {
    --depth_;
    return true;
  }

  int depth_ = 0;
  bool too_deep_ = false;
};

}  // namespace

std::optional<Json> ParseSettingsJson(std::string_view text, std::string& why) {
  DepthCounter counter;
  if (!Json::sax_parse(text, &counter, nlohmann::detail::input_format_t::json, true)) {
    why = counter.too_deep() ? "nests deeper than " + std::to_string(kMaxJsonDepth) + " levels"
                             : "is not valid JSON";
    return std::nullopt;
  }
  Json parsed = Json::parse(text, nullptr, false);
  if (parsed.is_discarded()) {
    why = "is not valid JSON";
    return std::nullopt;
  }
  return parsed;
}

}  // namespace k470
