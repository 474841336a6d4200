// The font sub-object of stored records (the editor's font). The point size follows from the
// height and is never stored.
#pragma once

#include <string>

#include "store/colors.h"
#include "store/persistent.h"

namespace store {

enum TFontPitch : int32_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };
inline constexpr std::string_view kFontPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};

class TFont final : public Persistent {
 public:
  int32_t Charset = DEFAULT_CHARSET;
  TColor Color = clWindowText;
  int32_t Height = -12;  // negative: character height in pixels at 96 dpi
  std::string Name;      // face name, code page 932
  int32_t Pitch = fpDefault;
  uint8_t Style = 0;  // FontStyle bits

  std::string_view ClassName() const override { return "TFont"; }
  void Describe(PropertyVisitor& v) override {
    v.Charset("Charset", Charset);
    v.Colour("Color", Color);
    v.Integer("Height", Height);
    v.String("Name", Name);
    v.Enum("Pitch", Pitch, kFontPitchNames, fpDefault);
    v.Integer("Size", IntRef([this] { return Size(); }, [this](int64_t s) { SetSize(static_cast<int>(s)); }),
              kNoDefault, /*stored=*/false);
    v.Set("Style", Style, kFontStyleNames);
  }

  // Points at 96 pixels per inch, rounded as the height was derived.
  int Size() const { return Height < 0 ? (-Height * 72 + 48) / 96 : Height; }
  void SetSize(int points) { Height = -((points * 96 + 36) / 72); }

  bool operator==(const TFont& o) const {
    return Charset == o.Charset && Color == o.Color && Height == o.Height && Name == o.Name && Pitch == o.Pitch &&
           Style == o.Style;
  }
};

}  // namespace store
