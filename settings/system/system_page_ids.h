// Control ids of the System page: each control carries its id as its
// objectName. Ids repeat in the interface dialogs, which have their own.
#pragma once

#include <array>

#include "core/image_layout.h"

namespace k470::system_page_ids {

// Interface: the four radios and their "Advanced" buttons, in SelectedInterface order.
inline constexpr int kBluetoothSppRadio = 1001;
inline constexpr int kBluetoothHidRadio = 1002;
inline constexpr int kM912VcomRadio = 1003;
inline constexpr int kM912HidRadio = 1004;
inline constexpr int kBluetoothSppAdvanced = 1007;
inline constexpr int kBluetoothHidAdvanced = 1008;
inline constexpr int kM912VcomAdvanced = 1009;
inline constexpr int kM912HidAdvanced = 1010;
inline constexpr std::array<int, 4> kInterfaceRadios = {kBluetoothSppRadio, kBluetoothHidRadio,
                                                        kM912VcomRadio, kM912HidRadio};
inline constexpr std::array<int, 4> kAdvancedButtons = {
    kBluetoothSppAdvanced, kBluetoothHidAdvanced, kM912VcomAdvanced, kM912HidAdvanced};

// System Indicator.
inline constexpr int kLowBatteryAlert = 1014;
inline constexpr int kGoodReadLed = 1015;
inline constexpr int kGoodReadVibrator = 1016;
inline constexpr int kSystemBeeper = 1017;
inline constexpr int kGoodReadBeep = 1061;
inline constexpr int kCommandBeep = 1062;  // hidden
inline constexpr int kLedDurationLabel = 1018;
inline constexpr int kLedDuration = 1020;
inline constexpr int kLedDurationSpin = 1027;
inline constexpr int kVibratorDurationLabel = 1019;
inline constexpr int kVibratorDuration = 1021;
inline constexpr int kVibratorDurationSpin = 1028;
inline constexpr int kVolumeLabel = 1024;
inline constexpr int kVolume = 1026;
inline constexpr int kFrequencyLabel = 1022;
inline constexpr int kFrequency = 1012;
inline constexpr int kBeepDurationLabel = 1023;
inline constexpr int kBeepDuration = 1025;

// Reader Timeout.
inline constexpr int kPowerSavingTimeout = 1034;
inline constexpr int kPowerSavingTimeoutSpin = 1036;
inline constexpr int kShutdownTimeout = 1033;
inline constexpr int kShutdownTimeoutSpin = 1035;

// Output String for Event Monitoring: Action, Output String and CR of strings 1-6.
inline constexpr int kString1Action = 1045;
inline constexpr int kString2Action = 1046;
inline constexpr int kString3Action = 1047;
inline constexpr int kString4Action = 1048;
inline constexpr int kString5Action = 1049;
inline constexpr int kString6Action = 1050;
inline constexpr int kString1Text = 1051;
inline constexpr int kString2Text = 1052;
inline constexpr int kString3Text = 1053;
inline constexpr int kString4Text = 1054;
inline constexpr int kString5Text = 1055;
inline constexpr int kString6Text = 1056;
inline constexpr int kString1Cr = 300;
inline constexpr int kString2Cr = 301;
inline constexpr int kString3Cr = 302;
inline constexpr int kString4Cr = 303;
inline constexpr int kString5Cr = 304;
inline constexpr int kString6Cr = 305;
inline constexpr std::array<int, kEventStringCount> kStringActions = {
    kString1Action, kString2Action, kString3Action, kString4Action, kString5Action, kString6Action};
inline constexpr std::array<int, kEventStringCount> kStringTexts = {
    kString1Text, kString2Text, kString3Text, kString4Text, kString5Text, kString6Text};
inline constexpr std::array<int, kEventStringCount> kStringCrs = {
    kString1Cr, kString2Cr, kString3Cr, kString4Cr, kString5Cr, kString6Cr};

// RFID Power and Reset.
inline constexpr int kRfidPower = 1239;
inline constexpr int kReset = 1059;

}  // namespace k470::system_page_ids
