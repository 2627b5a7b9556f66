// The ids of the main form's template and of its controls, as the layout data (res/layout.json)
// numbers them; the view and its tests find the controls by these.
#pragma once

namespace clipwright {

inline constexpr int kFormId = 101;
inline constexpr int kListId = 1000;
inline constexpr int kFolderEditId = 1001;
inline constexpr int kBrowseId = 1002;
inline constexpr int kGoId = 1003;
// The output type buttons, one id a type from here, in type order; then the standards'.
inline constexpr int kFirstTypeId = 1004;
inline constexpr int kFirstStandardId = 1015;
inline constexpr int kTipLabelId = 1101;
inline constexpr int kInfoEditId = 1210;
// The settings controls.
inline constexpr int kSizeComboId = 1103;
inline constexpr int kWidthEditId = 1104;
inline constexpr int kHeightEditId = 1105;
inline constexpr int kFrameRateComboId = 1106;
inline constexpr int kVideoBitrateComboId = 1107;
inline constexpr int kMaxRateEditId = 1109;
inline constexpr int kMinRateEditId = 1110;
inline constexpr int kVolumeComboId = 1111;
inline constexpr int kChannelsComboId = 1112;
inline constexpr int kAudioBitrateComboId = 1113;
inline constexpr int kSampleRateComboId = 1114;
inline constexpr int kVariableBitRateBoxId = 1118;

}  // namespace clipwright
