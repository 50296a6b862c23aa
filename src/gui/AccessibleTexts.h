#pragma once

namespace kiro::gui {

// Table texts that name and describe controls for assistive technology where the control shows
// no text of its own, and describe each kind of control in the program's language.

// Descriptions by kind of control.
inline constexpr int kButtonDescriptionText = 140;
inline constexpr int kOptionDescriptionText = 141;
inline constexpr int kCheckBoxDescriptionText = 142;
inline constexpr int kEditDescriptionText = 143;
inline constexpr int kChoiceDescriptionText = 144;
inline constexpr int kSliderDescriptionText = 145;

// Controls that draw instead of writing.
inline constexpr int kActivityChartNameText = 146;
inline constexpr int kActivityChartDescriptionText = 147;
inline constexpr int kSleepChartNameText = 148;
inline constexpr int kSleepChartDescriptionText = 149;
inline constexpr int kReportListNameText = 150;
inline constexpr int kReportListDescriptionText = 151;
inline constexpr int kPictureEditorNameText = 152;
inline constexpr int kPictureEditorDescriptionText = 153;
inline constexpr int kProgressNameText = 154;
inline constexpr int kProgressDescriptionText = 155;
inline constexpr int kSegmentDisplayNameText = 156;
inline constexpr int kSegmentDisplayDescriptionText = 157;

// The main window.
inline constexpr int kPagesNameText = 158;
inline constexpr int kPagesDescriptionText = 159;
inline constexpr int kPageDescriptionText = 160;
inline constexpr int kCalendarNameText = 161;
inline constexpr int kCalendarDescriptionText = 162;

// Controls of the pages without a caption.
inline constexpr int kPictureSlotNameText = 163;  // "Picture slot %d"
inline constexpr int kSlotChoiceNameText = 164;
inline constexpr int kEffectNameText = 165;     // "Effect of %s": the display item
inline constexpr int kWatchDiskNameText = 166;  // "Watch disk %s": the drive
inline constexpr int kLedFromNameText = 167;
inline constexpr int kLedToNameText = 168;
inline constexpr int kAlarmHourNameText = 169;
inline constexpr int kAlarmMinuteNameText = 170;
inline constexpr int kClockRateNameText = 171;
inline constexpr int kFirstLanguageNameText = 172;  // English, Traditional, Simplified Chinese

// Controls of the dialogs without a caption.
inline constexpr int kFirstSleepArrowNameText = 175;  // in the order of CSleepDlg::Arrow
inline constexpr int kBatteryCurveDescriptionText = 181;
inline constexpr int kFactoryDateNameText = 182;
inline constexpr int kFactoryTimeNameText = 183;
inline constexpr int kWatchesDoneNameText = 184;

}  // namespace kiro::gui
