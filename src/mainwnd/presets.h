// The settings controls of the form: filling the preset combo boxes from the value tables, the
// size and variable-bit-rate reactions, frame size normalisation, and reading the run's settings
// snapshot. Free functions on the Qt widgets, which the form owns; call on the user-interface
// thread only. Null widget pointers are not accepted.
#pragma once

#include <string>
#include <vector>

#include "engine/source_item.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace clipwright {

// The settings controls of one form (not owned).
struct SettingControls {
    QComboBox* size = nullptr;             // 1103
    QLineEdit* width = nullptr;            // 1104, X
    QLineEdit* height = nullptr;           // 1105, Y
    QComboBox* frameRate = nullptr;        // 1106
    QComboBox* videoBitrate = nullptr;     // 1107
    QCheckBox* variableBitRate = nullptr;  // 1118
    QLineEdit* maxRate = nullptr;          // 1109, kbit/s
    QLineEdit* minRate = nullptr;          // 1110, kbit/s
    QComboBox* channels = nullptr;         // 1112
    QComboBox* audioBitrate = nullptr;     // 1113
    QComboBox* sampleRate = nullptr;       // 1114
    QComboBox* volume = nullptr;           // 1111
};

// Display texts of the table entries, in table order (row r of a combo shows entry r - 1).
// Texts of the current resource module are loaded at each call.
std::vector<std::string> FrameSizeTexts();
std::vector<std::string> FrameRateTexts();
std::vector<std::string> VideoBitrateTexts();
std::vector<std::string> AudioBitrateTexts();
std::vector<std::string> ChannelTexts();
std::vector<std::string> SampleRateTexts();
std::vector<std::string> VolumeTexts();

// Lets an edit take decimal digits only (the X, Y, Max and Min boxes).
void MakeDigitsOnly(QLineEdit* edit);

// Fills the seven combo boxes ("Keep Original" with item data -1, then the entries with their
// index), selects row 0, sizes each drop-down list to its widest row, enables the boxes, then
// runs OnSizeSelChange and OnVbrClicked.
void FillSettingCombos(const SettingControls& controls);

// Row 0 writes "0" to X and Y; row r the width and height of size entry r - 1.
void OnSizeSelChange(QComboBox* size, QLineEdit* width, QLineEdit* height);

// Max and Min are enabled exactly while the box is checked; their texts stay.
void OnVbrClicked(QCheckBox* variableBitRate, QLineEdit* maxRate, QLineEdit* minRate);

// Every choice of from into to (another form's controls): the size row before X and Y, so the
// texts win over what the row writes; the check box, with Max and Min enabled to match, before
// their texts.
void CopySettingChoices(const SettingControls& from, const SettingControls& to);

// An X text of exactly "0" makes Y "0"; a Y text of exactly "0" (as read before) makes X "0".
// Always true.
bool NormalizeFrameSize(QLineEdit* width, QLineEdit* height);

// The snapshot a run uses: combo rows, X/Y/Max/Min texts and the check state; the output type,
// standard and folder come from the form's data.
ConversionSettings ReadConversionSettings(const SettingControls& controls, int32_t outputType,
                                          int32_t tvStandard, const std::string& outputFolder);

}  // namespace clipwright
