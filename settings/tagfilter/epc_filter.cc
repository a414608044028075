#include "settings/tagfilter/epc_filter.h"

#include <algorithm>
#include <string_view>

#include "settings/tagfilter/filter_values.h"
#include "settings/tagfilter/partition_tables.h"
#include "settings/tagfilter/scheme_fields.h"

namespace k470 {
namespace {

// The second fields compared as characters; every other field is a number.
bool IsCharacterSecondField(Scheme scheme) {
  return scheme == Scheme::kGiai202 || scheme == Scheme::kAdiVar;
}

std::string_view Cut(std::string_view text, std::size_t most) {
  return text.substr(0, std::min(text.size(), most));
}

std::string PadWithZeros(std::string text, std::size_t width) {
  width = std::min(width, kMaxPatternCharacters);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

FilterRecord EncodeFilterValue(Scheme scheme, int value) {
  const auto v = static_cast<unsigned>(value);
  FilterRecord record;
  record.pointer = 8;
  switch (scheme) {
    case Scheme::kDod96:
      record.length = 4;
      record.pattern1[0] = static_cast<std::uint8_t>((v & 15u) << 4);
      break;
    case Scheme::kGid96:  // no filter value: a zero-length filter
      break;
    case Scheme::kAdiVar:
      record.length = 6;
      record.pattern1[0] = static_cast<std::uint8_t>((v & 63u) << 2);
      break;
    default:
      record.length = 3;
      record.pattern1[0] = static_cast<std::uint8_t>((v & 7u) << 5);
      break;
  }
  return record;
}

FilterRecord EncodeFirstField(Scheme scheme, std::string_view text) {
  switch (scheme) {
    case Scheme::kDod96:  // six characters of 8 bits: a CAGE code compares no more
      return {12, 48, EncodeCharacters8(Cut(text, 48 / 8)), std::nullopt};
    case Scheme::kGid96:
      return {8, 28, EncodeDecimal(text, 28), std::nullopt};
    case Scheme::kAdiVar:
      return {14, 36, EncodeCharacters6(text, 36), std::nullopt};
    default: {
      const unsigned bits = kCompanyPrefixBits[PartitionOfPrefixLength(text.size())];
      return {kCompanyPrefixPointer, static_cast<std::uint16_t>(bits), EncodeDecimal(text, bits),
              std::nullopt};
    }
  }
}

FilterRecord EncodeSecondField(Scheme scheme, std::string_view text1, std::string_view text2,
                               unsigned count) {
  if (text2.empty()) text2 = text1;
  switch (scheme) {
    case Scheme::kDod96:
      return {60, 36, EncodeDecimal(text1, 36), EncodeDecimal(text2, 36)};
    case Scheme::kGid96:
      return {36, 24, EncodeDecimal(text1, 24), EncodeDecimal(text2, 24)};
    case Scheme::kAdiVar: {
      // The length follows Pattern1; each mask is as long as its own text.
      text1 = Cut(text1, kMaxCharacters6);
      text2 = Cut(text2, kMaxCharacters6);
      const auto bits1 = static_cast<unsigned>(6 * text1.size());
      const auto bits2 = static_cast<unsigned>(6 * text2.size());
      return {50, static_cast<std::uint16_t>(bits1), EncodeCharacters6(text1, bits1),
              EncodeCharacters6(text2, bits2)};
    }
    default: {
      const int p = PartitionOfDigitCount(scheme, count);
      const unsigned bits = (*SecondFieldBits(scheme))[static_cast<std::size_t>(p)];
      FilterRecord record{static_cast<std::uint16_t>(kCompanyPrefixPointer + kCompanyPrefixBits[p]),
                          static_cast<std::uint16_t>(bits),
                          {},
                          std::nullopt};
      if (scheme == Scheme::kGiai202) {
        record.pattern1 = EncodeCharacters7(text1);
        record.pattern2 = EncodeCharacters7(text2);
      } else {
        record.pattern1 = EncodeDecimal(text1, bits);
        record.pattern2 = EncodeDecimal(text2, bits);
      }
      return record;
    }
  }
}

// GID-96 has no filter value, and its first field starts at bit 8 as well: a
// GID-96 record there is the first field unless it is the zero-length filter
// the filter-value radio writes for that scheme.
bool IsFilterValueRecord(bool gid96, const FilterRecord& record) {
  return (record.pointer & 0xFFu) == 8 && (!gid96 || record.length == 0);
}

int FilterValueOf(const FilterRecord& record) {
  const unsigned length = std::min<unsigned>(record.length, 8);
  // A value the list does not have is shown as no selection and kept.
  return length == 0 ? 0 : record.pattern1[0] >> (8 - length);
}

std::string DecodeFirstField(Scheme scheme, const FilterRecord& record) {
  switch (scheme) {
    case Scheme::kDod96:
      return DecodeCharacters8(record.pattern1);
    case Scheme::kAdiVar: {
      // A shorter CAGE code is stored led by spaces; it shows as it was typed.
      // One of spaces alone stays whole: empty, it would store no mask at all.
      const std::string text = DecodeCharacters6(record.pattern1, record.length);
      const std::size_t first = text.find_first_not_of(' ');
      return first == std::string::npos ? text : text.substr(first);
    }
    case Scheme::kGid96:
      return DecodeDecimal(record.pattern1, record.length);
    default: {
      // Typed with leading zeros, the prefix's character count is what gave
      // its partition; show them again so an unchanged OK keeps the partition.
      std::string text = DecodeDecimal(record.pattern1, record.length);
      if (const auto p = PartitionOfPrefixBits(record.length)) {
        text = PadWithZeros(std::move(text), static_cast<std::size_t>(kCompanyPrefixDigits - *p));
      }
      return text;
    }
  }
}

std::string DecodeSecondFieldMask(Scheme scheme, const FilterMask& mask, unsigned bits) {
  switch (scheme) {
    case Scheme::kAdiVar:
      return DecodeCharacters6(mask, bits);
    case Scheme::kGiai202:
      return DecodeCharacters7(mask);
    default:
      return DecodeDecimal(mask, bits);
  }
}

DecodedFilter DecodeSecondField(Scheme scheme, const FilterRecord& record) {
  DecodedFilter decoded;
  decoded.method = FilterMethod::kSecondField;
  decoded.pattern1 = DecodeSecondFieldMask(scheme, record.pattern1, record.length);

  if (HasPartition(scheme)) {
    const std::optional<int> p = PartitionOfSecondFieldBits(scheme, record.length);
    decoded.digit_count =
        p ? static_cast<unsigned>(SchemeFieldsOf(scheme).min_digits + *p) : record.length;
    decoded.partition_offset = p;
  } else {
    decoded.digit_count = static_cast<unsigned>(decoded.pattern1.size());
    decoded.partition_offset = 0;
  }
  // Zeros in front change a number's text but not its value; in front of
  // characters they would become part of the value.
  const bool decimal = !IsCharacterSecondField(scheme);
  if (decimal) decoded.pattern1 = PadWithZeros(std::move(decoded.pattern1), *decoded.digit_count);

  const FilterMask pattern2 = record.pattern2.value_or(FilterMask{});
  if (pattern2 != record.pattern1) {
    // An ADI-var Pattern2 is as long as its own text, not as the stored
    // length, which follows Pattern1: read it to its end.
    const unsigned bits = scheme == Scheme::kAdiVar ? kFilterMaskBits : record.length;
    decoded.pattern2 = DecodeSecondFieldMask(scheme, pattern2, bits);
    if (decimal) {
      decoded.pattern2 = PadWithZeros(std::move(decoded.pattern2), decoded.pattern1.size());
    }
  }
  return decoded;
}

FilterDirection DirectionOf(FilterType type) {
  return type == FilterType::kIncludeEpc ? FilterDirection::kInclude : FilterDirection::kExclude;
}

}  // namespace

FilterRecord EncodeFilterRecord(Scheme scheme, const FilterChoice& choice) {
  const std::string_view text1 = Cut(choice.pattern1, kMaxPatternCharacters);
  const std::string_view text2 = Cut(choice.pattern2, kMaxPatternCharacters);
  switch (choice.method) {
    case FilterMethod::kFilterValue:
      return EncodeFilterValue(scheme, choice.filter_value.value_or(0));
    case FilterMethod::kFirstField:
      return EncodeFirstField(scheme, text1);
    case FilterMethod::kSecondField:
      break;
  }
  return EncodeSecondField(scheme, text1, text2, choice.digit_count.value_or(0));
}

std::optional<DecodedFilter> DecodeFilterRecord(Scheme scheme, int method_code,
                                                const FilterRecord& record) {
  if (method_code == kMethodSecondField) return DecodeSecondField(scheme, record);
  if (method_code != kMethodFirstField) return std::nullopt;
  DecodedFilter decoded;
  if (IsFilterValueRecord(scheme == Scheme::kGid96, record)) {
    decoded.method = FilterMethod::kFilterValue;
    decoded.filter_value = FilterValueOf(record);
  } else {
    decoded.pattern1 = DecodeFirstField(scheme, record);
  }
  return decoded;
}

LoadedFilter LoadFilter(const SettingsImage& image, std::optional<std::uint8_t> header) {
  LoadedFilter loaded;
  FilterChoice& choice = loaded.choice;
  choice.header = header;

  const int include = MethodCode(image, FilterDirection::kInclude);
  const int exclude = MethodCode(image, FilterDirection::kExclude);
  if (include == kMethodOff && exclude == kMethodOff) {
    choice.filter_type = FilterType::kDisableFilter;
  } else if (exclude == kMethodOff) {
    choice.filter_type = FilterType::kIncludeEpc;
  } else if (include == kMethodOff) {
    choice.filter_type = FilterType::kExcludeEpc;
  } else {
    choice.filter_type = FilterType::kNoSelection;
  }

  const FilterRecord include_record = ReadFilterRecord(image, FilterDirection::kInclude);
  const FilterRecord exclude_record = ReadFilterRecord(image, FilterDirection::kExclude);
  const bool gid96 = header == kHeaderGid96;
  const auto filter_value_at = [gid96](int code, const FilterRecord& record) {
    return code == kMethodFirstField && IsFilterValueRecord(gid96, record);
  };
  if (include == kMethodSecondField || exclude == kMethodSecondField) {
    choice.method = FilterMethod::kSecondField;
  } else if (filter_value_at(include, include_record) || filter_value_at(exclude, exclude_record)) {
    choice.method = FilterMethod::kFilterValue;
  } else {
    choice.method = FilterMethod::kFirstField;
  }

  const std::optional<Scheme> scheme = header ? SchemeOfHeader(*header) : std::nullopt;
  if (!scheme.has_value()) return loaded;
  const Scheme known = scheme.value();
  std::optional<DecodedFilter> decoded;
  if (include != kMethodOff) {
    decoded = DecodeFilterRecord(known, include, include_record);
  } else if (exclude != kMethodOff) {
    decoded = DecodeFilterRecord(known, exclude, exclude_record);
  }
  if (decoded) {
    choice.filter_value = decoded->filter_value;
    choice.pattern1 = std::move(decoded->pattern1);
    choice.pattern2 = std::move(decoded->pattern2);
    choice.digit_count = decoded->digit_count;
    loaded.partition_offset = decoded->partition_offset;
  }
  return loaded;
}

void StoreFilter(const FilterChoice& choice, SettingsImage& image) {
  const int code =
      choice.method == FilterMethod::kSecondField ? kMethodSecondField : kMethodFirstField;
  switch (choice.filter_type) {
    case FilterType::kDisableFilter:
      SetMethodCode(image, FilterDirection::kInclude, kMethodOff);
      SetMethodCode(image, FilterDirection::kExclude, kMethodOff);
      break;
    case FilterType::kIncludeEpc:
      SetMethodCode(image, FilterDirection::kInclude, code);
      SetMethodCode(image, FilterDirection::kExclude, kMethodOff);
      break;
    case FilterType::kExcludeEpc:
      SetMethodCode(image, FilterDirection::kExclude, code);
      SetMethodCode(image, FilterDirection::kInclude, kMethodOff);
      break;
    case FilterType::kNoSelection:
      break;
  }
  if (!choice.header) return;
  image.SetField(kFilteredTagType, *choice.header);

  const bool filtering = choice.filter_type == FilterType::kIncludeEpc ||
                         choice.filter_type == FilterType::kExcludeEpc;
  const std::optional<Scheme> scheme = SchemeOfHeader(*choice.header);
  if (!filtering || !scheme) return;
  WriteFilterRecord(image, DirectionOf(choice.filter_type), EncodeFilterRecord(*scheme, choice));
}

void ConfirmFilter(const FilterChoice& opened, const FilterChoice& chosen, SettingsImage& image) {
  // A TAG type shown in place of a stored one the list does not offer is
  // still stored, with its record.
  const bool type_kept = !chosen.header || *chosen.header == image.Field(kFilteredTagType);
  if (chosen == opened && type_kept) return;
  StoreFilter(chosen, image);
}

}  // namespace k470
