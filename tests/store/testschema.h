// A record class using every kind of stored property, for the stream tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/bytestream.h"
#include "store/colors.h"
#include "store/persistent.h"
#include "store/stream.h"

namespace testschema {
using namespace store;

class Inner final : public Persistent {
 public:
  int32_t Width = 0;
  std::string Label;
  std::string_view ClassName() const override { return "TInner"; }
  void Describe(PropertyVisitor& v) override {
    v.Integer("Width", Width);
    v.String("Label", Label);
  }
};

class Entry final : public Persistent {
 public:
  int32_t Value = 0;
  std::string_view ClassName() const override { return "TEntry"; }
  void Describe(PropertyVisitor& v) override { v.Integer("Value", Value); }
};

enum Shape : int32_t { shRound, shSquare };
inline constexpr std::string_view kShapeNames[] = {"shRound", "shSquare"};

// One root class using every kind of property.
class Sample final : public Component {
 public:
  int32_t Number = 0;
  TColor Colour = 0;
  int32_t Charset = 0;
  int32_t Form = shRound;
  bool Flag = false;
  uint8_t Style = 0;
  std::string Text;
  Inner Sub;
  std::vector<std::string> Lines;
  std::vector<std::unique_ptr<Entry>> Entries;
  int32_t Fixed = 7;
  int32_t Pitch = 0;

  std::string_view ClassName() const override { return "TSample"; }
  void Describe(PropertyVisitor& v) override {
    Component::Describe(v);
    v.Integer("Number", Number);
    v.Colour("Colour", Colour);
    v.Charset("Charset", Charset);
    v.Enum("Form", Form, kShapeNames);
    v.Boolean("Flag", Flag);
    v.Set("Style", Style, kFontStyleNames);
    v.String("Text", Text);
    v.Object("Sub", Sub);
    v.StringList("Lines", Lines);
    VectorCollection<Entry> entries(Entries);
    v.Collection("Entries", entries);
    v.Integer("Fixed", IntRef::ReadOnly([this] { return Fixed; }));
    v.Integer("Pitch", Pitch, 0);
  }
};

inline std::string Write(Component& c) {
  StringOutput out;
  WriteComponent(out, c);
  return out.Bytes();
}

inline void Read(const std::string& bytes, Component& c) {
  MemoryInput in(bytes);
  ReadComponent(in, c);
}

}  // namespace testschema
