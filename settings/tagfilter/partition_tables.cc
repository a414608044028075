#include "settings/tagfilter/partition_tables.h"

#include <algorithm>

#include "settings/tagfilter/scheme_fields.h"

namespace k470 {
namespace {

constexpr PartitionWidths kSgtinGrai = {4, 7, 10, 14, 17, 20, 24};
constexpr PartitionWidths kSsccGsrn = {18, 21, 24, 28, 31, 34, 38};
constexpr PartitionWidths kSglnGdti = {1, 4, 7, 11, 14, 17, 21};
constexpr PartitionWidths kGiai96 = {42, 45, 48, 52, 55, 58, 62};
constexpr PartitionWidths kGiai202 = {148, 151, 154, 158, 161, 164, 168};

std::optional<int> Find(const PartitionWidths& widths, unsigned bits) {
  const auto it = std::find(widths.begin(), widths.end(), bits);
  if (it == widths.end()) return std::nullopt;
  return static_cast<int>(it - widths.begin());
}

}  // namespace

std::optional<PartitionWidths> SecondFieldBits(Scheme scheme) {
  switch (scheme) {
    case Scheme::kSgtin96:
    case Scheme::kSgtin198:
    case Scheme::kGrai96:
    case Scheme::kGrai170:
      return kSgtinGrai;
    case Scheme::kSscc96:
    case Scheme::kGsrn96:
      return kSsccGsrn;
    case Scheme::kSgln96:
    case Scheme::kSgln195:
    case Scheme::kGdti96:
    case Scheme::kGdti113:
      return kSglnGdti;
    case Scheme::kGiai96:
      return kGiai96;
    case Scheme::kGiai202:
      return kGiai202;
    case Scheme::kDod96:
    case Scheme::kGid96:
    case Scheme::kAdiVar:
      break;
  }
  return std::nullopt;
}

bool HasPartition(Scheme scheme) { return SecondFieldBits(scheme).has_value(); }

int ClampPartition(long long partition) {
  return static_cast<int>(std::clamp(partition, 0LL, static_cast<long long>(kPartitionCount - 1)));
}

int PartitionOfPrefixLength(std::size_t characters) {
  // Beyond 12 characters the prefix is as wide as it gets.
  if (characters >= static_cast<std::size_t>(kCompanyPrefixDigits)) return 0;
  return ClampPartition(kCompanyPrefixDigits - static_cast<long long>(characters));
}

int PartitionOfDigitCount(Scheme scheme, unsigned count) {
  return ClampPartition(static_cast<long long>(count) - SchemeFieldsOf(scheme).min_digits);
}

std::optional<int> PartitionOfPrefixBits(unsigned bits) { return Find(kCompanyPrefixBits, bits); }

std::optional<int> PartitionOfSecondFieldBits(Scheme scheme, unsigned bits) {
  const std::optional<PartitionWidths> widths = SecondFieldBits(scheme);
  if (!widths) return std::nullopt;
  return Find(*widths, bits);
}

}  // namespace k470
