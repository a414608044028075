// Every stored record decodes under every scheme and method code without
// reading past its masks; and any filter the dialog can write, over any
// image, loads to controls that store the same bytes again.
#include <random>

#include "fuzz/fuzz_input.h"
#include "settings/tagfilter/epc_filter.h"
#include "tests/support/filter_choices.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  k470::fuzz::FuzzInput input(data, size);
  const std::uint8_t pick = input.Byte();
  std::uint32_t seed = 0;
  for (int i = 0; i < 4; ++i) seed = seed << 8 | input.Byte();
  k470::SettingsImage image = input.Image();

  for (const k470::TagType& type : k470::kTagTypes) {
    for (int method = 0; method < 4; ++method) {
      for (const auto direction :
           {k470::FilterDirection::kInclude, k470::FilterDirection::kExclude}) {
        k470::DecodeFilterRecord(type.scheme, method, k470::ReadFilterRecord(image, direction));
      }
    }
  }

  const k470::TagType& type = k470::kTagTypes[pick % k470::kTagTypeCount];
  const auto filter_type = static_cast<k470::FilterType>(1 + pick / 16 % 2);
  const auto method = static_cast<k470::FilterMethod>(pick / 32 % 3);
  if (type.header == k470::kHeaderGid96 && method == k470::FilterMethod::kFilterValue) return 0;
  std::mt19937 rng(seed);
  k470::StoreFilter(k470::testing::GenerateChoice(rng, type, filter_type, method), image);
  const k470::SettingsImage written = image;

  const k470::LoadedFilter loaded = k470::LoadFilter(image, type.header);
  k470::FilterChoice choice = loaded.choice;
  choice.header = type.header;
  k470::StoreFilter(choice, image);
  if (!(image == written)) k470::fuzz::Broken("a filter the dialog wrote is stored differently");
  return 0;
}
