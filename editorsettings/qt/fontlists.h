// The font lists of the settings dialog on Linux. Stored records keep Windows face names
// ("ＭＳ ゴシック", "ＭＳ Ｐゴシック", "FixedSys"), which the program maps to installed fonts; a list
// offers a stored name of the records being edited when the font it stands for qualifies, so a
// stored default is found and stays what it was unless the user picks another.
#pragma once

#include <QStringList>

namespace editorsettings::qt {

// "フォント" of "エディタ設定１": families measured fixed pitch, plus those stored names that stand
// for one of them; without "@" names.
QStringList EditorFontFamilies(const QStringList& storedNames);
// The font list of "リストボックス": the screen fonts plus those stored names that stand for an
// installed family; without the leading "@" names.
QStringList ScreenFontFamilies(const QStringList& storedNames);

}  // namespace editorsettings::qt
