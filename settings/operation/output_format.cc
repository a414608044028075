#include "settings/operation/output_format.h"

#include <algorithm>

namespace k470 {

KeyBuffer ReadKeyBuffer(const SettingsImage& image, const KeySequenceField& field) {
  KeyBuffer buffer{};
  const std::size_t n = std::min(field.size, buffer.size());
  for (std::size_t i = 0; i < n; ++i) buffer[i] = image.Byte(field.offset + i);
  return buffer;
}

void WriteKeyBuffer(const KeyBuffer& buffer, const KeySequenceField& field, SettingsImage& image) {
  const std::size_t n = std::min(field.size, buffer.size());
  for (std::size_t i = 0; i < n; ++i) image.SetByte(field.offset + i, buffer[i]);
}

OutputFormat LoadOutputFormat(const SettingsImage& image, int shown_date) {
  OutputFormat f;
  f.left_padding = image.Field(kLeftPadding) == kZeroPadding ? 1 : 0;
  f.reset_on_uhf_power_on = image.Field(kResetOnUhfPowerOn) != 0;
  f.reset_on_new_connection = image.Field(kResetOnNewConnection) != 0;
  f.counter_prefix = ReadKeyBuffer(image, kCounterPrefixField);
  f.counter_suffix = ReadKeyBuffer(image, kCounterSuffixField);
  f.timestamp_prefix = ReadKeyBuffer(image, kTimestampPrefixField);
  f.timestamp_suffix = ReadKeyBuffer(image, kTimestampSuffixField);
  f.timestamp = DecomposeTimestamp(ReadTimestamp(image), shown_date);
  f.epc_prefix = ReadKeyBuffer(image, kEpcPrefixField);
  f.epc_suffix = ReadKeyBuffer(image, kEpcSuffixField);
  return f;
}

void StoreOutputFormat(const OutputFormat& f, SettingsImage& image) {
  WriteKeyBuffer(f.counter_prefix, kCounterPrefixField, image);
  WriteKeyBuffer(f.counter_suffix, kCounterSuffixField, image);
  if (f.left_padding >= 0) {
    image.SetField(kLeftPadding, f.left_padding != 0 ? kZeroPadding : kBlankPadding);
  }
  image.SetField(kResetOnUhfPowerOn, f.reset_on_uhf_power_on);
  image.SetField(kResetOnNewConnection, f.reset_on_new_connection);
  WriteKeyBuffer(f.timestamp_prefix, kTimestampPrefixField, image);
  WriteKeyBuffer(f.timestamp_suffix, kTimestampSuffixField, image);
  WriteKeyBuffer(f.epc_prefix, kEpcPrefixField, image);
  WriteKeyBuffer(f.epc_suffix, kEpcSuffixField, image);
  WriteTimestamp(ComposeTimestamp(f.timestamp), image);
}

}  // namespace k470
