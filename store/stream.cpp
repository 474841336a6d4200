#include "store/stream.h"

#include <cstring>
#include <exception>
#include <typeinfo>

#include "store/colors.h"
#include "store/errors.h"
#include "store/names.h"

namespace store {

namespace {

// Records nest only through lists, collections and child objects; anything deeper than this is
// damage or hostility, not data.
constexpr int kMaxDepth = 32;

constexpr std::string_view kSignature = "TPF0";
constexpr std::string_view kBooleanNames[] = {"False", "True"};

[[noreturn]] void Fail(std::string_view message) { throw StreamError(std::string(message)); }

// ---------------------------------------------------------------------------------------------
// Writing

class Writer final : public PropertyVisitor {
 public:
  explicit Writer(OutputStream& out) : out_(out) {}

  void Record(Component& root) {
    out_.Write(kSignature);
    ShortString(root.ClassName());
    ShortString(root.ObjectName);
    root.Describe(*this);
    out_.WriteByte(vtNull);  // end of properties
    out_.WriteByte(vtNull);  // no children
  }

  // Read-only properties are never stored: they could not be read back.
  void Integer(std::string_view name, IntRef v, int32_t def, bool stored) override {
    if (!stored || !v.Writable()) return;
    int32_t value = static_cast<int32_t>(v.Get());
    if (value == def) return;
    Name(name);
    Int(value);
  }

  void Colour(std::string_view name, IntRef v, int32_t def) override {
    if (!v.Writable()) return;
    int32_t value = static_cast<int32_t>(v.Get());
    if (value == def) return;
    Name(name);
    if (auto ident = ColorToIdent(value)) {
      Ident(*ident);
    } else {
      Int(value);
    }
  }

  void Charset(std::string_view name, IntRef v, int32_t def) override {
    if (!v.Writable()) return;
    int32_t value = static_cast<int32_t>(v.Get());
    if (value == def) return;
    Name(name);
    if (auto ident = CharsetToIdent(value)) {
      Ident(*ident);
    } else {
      Int(value);
    }
  }

  void Enum(std::string_view name, IntRef v, NameList members, int32_t def) override {
    if (!v.Writable()) return;
    int32_t value = static_cast<int32_t>(v.Get());
    if (value == def) return;
    Name(name);
    if (value >= 0 && static_cast<size_t>(value) < members.size()) {
      Ident(members[static_cast<size_t>(value)]);
    } else {
      Int(value);  // not a member: keep the number rather than lose it
    }
  }

  void Boolean(std::string_view name, IntRef v, int32_t def) override {
    if (!v.Writable()) return;
    int32_t value = v.Get() != 0 ? 1 : 0;
    if (value == def) return;
    Name(name);
    out_.WriteByte(value ? vtTrue : vtFalse);
  }

  void Set(std::string_view name, IntRef bits, NameList members, int32_t def) override {
    if (!bits.Writable()) return;
    int32_t value = static_cast<int32_t>(bits.Get());
    if (value == def) return;
    Name(name);
    out_.WriteByte(vtSet);
    for (size_t i = 0; i < members.size() && i < 32; ++i)
      if (value & (1u << i)) ShortString(members[i]);
    out_.WriteByte(0);
  }

  void String(std::string_view name, StrRef v, bool stored) override {
    if (!stored || !v.Writable()) return;
    std::string_view value = v.Get();
    if (value.empty()) return;
    Name(name);
    StringValue(value);
  }

  void Object(std::string_view name, Persistent& sub) override {
    size_t keep = prefix_.size();
    prefix_.append(name).push_back('.');
    sub.Describe(*this);
    prefix_.resize(keep);
  }

  void StringList(std::string_view name, std::vector<std::string>& lines) override {
    if (lines.empty()) return;
    size_t keep = prefix_.size();
    prefix_.append(name).push_back('.');
    Name("Strings");
    prefix_.resize(keep);
    out_.WriteByte(vtList);
    for (const auto& line : lines) StringValue(line);
    out_.WriteByte(vtNull);
  }

  void Collection(std::string_view name, CollectionRef& items) override {
    Name(name);
    out_.WriteByte(vtCollection);
    std::string keep;
    keep.swap(prefix_);  // item paths start afresh
    for (size_t i = 0; i < items.Count(); ++i) {
      out_.WriteByte(vtList);
      items.Item(i).Describe(*this);
      out_.WriteByte(vtNull);
    }
    prefix_.swap(keep);
    out_.WriteByte(vtNull);
  }

 private:
  void ShortString(std::string_view s) {
    if (s.size() > 255) s = s.substr(0, 255);
    out_.WriteByte(static_cast<uint8_t>(s.size()));
    out_.Write(s);
  }

  void Name(std::string_view name) {
    if (prefix_.empty()) {
      ShortString(name);
    } else {
      scratch_.assign(prefix_).append(name);
      ShortString(scratch_);
    }
  }

  void Int(int32_t v) {
    if (v >= -128 && v <= 127) {
      out_.WriteByte(vtInt8);
      out_.WriteByte(static_cast<uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
      out_.WriteByte(vtInt16);
      uint16_t u = static_cast<uint16_t>(v);
      uint8_t b[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
      out_.Write(b, 2);
    } else {
      out_.WriteByte(vtInt32);
      out_.WriteInt32(v);
    }
  }

  void Ident(std::string_view name) {
    out_.WriteByte(vtIdent);
    ShortString(name);
  }

  void StringValue(std::string_view s) {
    if (s.size() < 256) {
      out_.WriteByte(vtString);
      out_.WriteByte(static_cast<uint8_t>(s.size()));
    } else {
      out_.WriteByte(vtLString);
      out_.WriteInt32(static_cast<int32_t>(s.size()));
    }
    out_.Write(s);
  }

  OutputStream& out_;
  std::string prefix_;
  std::string scratch_;
};

// ---------------------------------------------------------------------------------------------
// Reading: finding the property a stored path names and reading its value

class Finder final : public PropertyVisitor {
 public:
  enum class Mode { Resolve, Read };

  Finder(Reader& reader, std::string_view target, Mode mode, int depth)
      : reader_(reader), target_(target), mode_(mode), depth_(depth) {}

  bool found = false;
  Persistent* object = nullptr;              // Resolve: an owned object
  std::vector<std::string>* list = nullptr;  // Resolve: an owned string list

  void Integer(std::string_view name, IntRef v, int32_t, bool) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(v.Writable());
    ValueTag t = reader_.ReadTag();
    if (t == vtInt8 || t == vtInt16 || t == vtInt32) {
      v.Set(reader_.ReadInteger(t));
    } else {
      Fail(msg::kInvalidPropertyValue);
    }
  }

  void Colour(std::string_view name, IntRef v, int32_t) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(v.Writable());
    v.Set(NamedInteger(IdentToColor));
  }

  void Charset(std::string_view name, IntRef v, int32_t) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(v.Writable());
    v.Set(NamedInteger(IdentToCharset));
  }

  void Enum(std::string_view name, IntRef v, NameList members, int32_t) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(v.Writable());
    v.Set(Member(members));
  }

  void Boolean(std::string_view name, IntRef v, int32_t) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(v.Writable());
    v.Set(Member(kBooleanNames));
  }

  void Set(std::string_view name, IntRef bits, NameList members, int32_t) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(bits.Writable());
    if (reader_.ReadTag() != vtSet) Fail(msg::kInvalidPropertyValue);
    int64_t value = 0;
    for (;;) {
      std::string member = reader_.ReadShortString();
      if (member.empty()) break;
      size_t i = 0;
      while (i < members.size() && !EqualsIgnoreCase(members[i], member)) ++i;
      if (i == members.size()) Fail(msg::kInvalidPropertyValue);
      value |= int64_t{1} << i;
    }
    bits.Set(value);
  }

  void String(std::string_view name, StrRef v, bool) override {
    if (!Match(name)) return;
    NotAnObject();
    Writable(v.Writable());
    ValueTag t = reader_.ReadTag();
    if (t != vtString && t != vtLString) Fail(msg::kInvalidPropertyValue);
    v.Set(reader_.ReadString(t));
  }

  void Object(std::string_view name, Persistent& sub) override {
    if (!Match(name)) return;
    if (mode_ == Mode::Resolve) {
      object = &sub;
      return;
    }
    Fail(msg::kInvalidPropertyValue);  // an object is never a value of its own
  }

  void StringList(std::string_view name, std::vector<std::string>& lines) override {
    if (!Match(name)) return;
    if (mode_ == Mode::Resolve) {
      list = &lines;
      return;
    }
    Fail(msg::kInvalidPropertyValue);
  }

  void Collection(std::string_view name, CollectionRef& items) override {
    if (!Match(name)) return;
    NotAnObject();
    if (reader_.ReadTag() != vtCollection) Fail(msg::kInvalidPropertyValue);
    InputStream& in = reader_.Input();
    // An empty stored collection leaves the items in place.
    if (in.Peek() != vtNull) items.Clear();
    for (;;) {
      int next = in.Peek();
      if (next < 0) Fail(msg::kReadError);
      if (next == vtNull) break;
      ValueTag t = reader_.ReadTag();
      if (t == vtInt8 || t == vtInt16 || t == vtInt32) {
        reader_.ReadInteger(t);  // an item index: ignored
        t = reader_.ReadTag();
      }
      if (t != vtList) Fail(msg::kInvalidPropertyValue);
      Persistent& item = items.Append();
      reader_.ReadProperties(item, item.ClassName(), depth_ + 1);
    }
    reader_.ReadTag();  // the collection's end marker
  }

 private:
  bool Match(std::string_view name) {
    if (found || !EqualsIgnoreCase(name, target_)) return false;
    found = true;
    return true;
  }

  // In Resolve mode the path goes on through this property, which is not an object.
  void NotAnObject() {
    if (mode_ == Mode::Resolve) Fail(msg::kInvalidPropertyPath);
  }

  static void Writable(bool writable) {
    if (!writable) Fail(msg::kPropertyIsReadOnly);
  }

  template <class Lookup>
  int64_t NamedInteger(Lookup lookup) {
    ValueTag t = reader_.ReadTag();
    if (t == vtInt8 || t == vtInt16 || t == vtInt32) return reader_.ReadInteger(t);
    if (t == vtIdent) {
      if (auto v = lookup(reader_.ReadShortString())) return *v;
    }
    Fail(msg::kInvalidPropertyValue);
  }

  int64_t Member(NameList members) {
    ValueTag t = reader_.ReadTag();
    std::string name;
    if (t == vtIdent) {
      name = reader_.ReadShortString();
    } else if (t == vtFalse) {
      name = "False";
    } else if (t == vtTrue) {
      name = "True";
    } else {
      Fail(msg::kInvalidPropertyValue);
    }
    for (size_t i = 0; i < members.size(); ++i)
      if (EqualsIgnoreCase(members[i], name)) return static_cast<int64_t>(i);
    Fail(msg::kInvalidPropertyValue);
  }

  Reader& reader_;
  std::string_view target_;
  Mode mode_;
  int depth_;
};

// The extra-data hook of an owned string list: it answers to "Strings" only.
class StringListHolder final : public Persistent {
 public:
  explicit StringListHolder(std::vector<std::string>& lines) : lines_(lines) {}
  std::string_view ClassName() const override { return "TStrings"; }
  void Describe(PropertyVisitor&) override {}
  bool ReadExtra(std::string_view name, Reader& reader) override {
    if (!EqualsIgnoreCase(name, "Strings")) return false;
    reader.ReadStringList(lines_);
    return true;
  }

 private:
  std::vector<std::string>& lines_;
};

int64_t ReadLittleEndian(InputStream& in, int bytes) {
  uint8_t b[8];
  in.Read(b, static_cast<size_t>(bytes));
  uint64_t u = 0;
  for (int i = bytes - 1; i >= 0; --i) u = (u << 8) | b[i];
  // Sign-extend from the width read.
  int shift = 64 - 8 * bytes;
  return static_cast<int64_t>(u << shift) >> shift;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::string_view ValueTagName(ValueTag t) {
  static constexpr std::string_view kNames[] = {"vtNull",     "vtList",     "vtInt8",    "vtInt16",   "vtInt32",
                                                "vtExtended", "vtString",   "vtIdent",   "vtFalse",   "vtTrue",
                                                "vtBinary",   "vtSet",      "vtLString", "vtNil",     "vtCollection",
                                                "vtSingle",   "vtCurrency", "vtDate",    "vtWString", "vtInt64"};
  if (t < std::size(kNames)) return kNames[t];
  return "?";
}

ValueTag Reader::ReadTag() { return static_cast<ValueTag>(in_.ReadByte()); }

std::string Reader::ReadShortString() {
  size_t n = in_.ReadByte();
  std::string s;
  in_.ReadInto(s, n);
  return s;
}

int64_t Reader::ReadInteger(ValueTag tag) {
  switch (tag) {
    case vtInt8: return ReadLittleEndian(in_, 1);
    case vtInt16: return ReadLittleEndian(in_, 2);
    case vtInt32: return ReadLittleEndian(in_, 4);
    case vtInt64: return ReadLittleEndian(in_, 8);
    default: Fail(msg::kInvalidPropertyValue);
  }
}

std::string Reader::ReadString(ValueTag tag) {
  uint64_t n;
  if (tag == vtString) {
    n = in_.ReadByte();
  } else if (tag == vtLString) {
    n = static_cast<uint32_t>(ReadLittleEndian(in_, 4));
  } else {
    Fail(msg::kInvalidPropertyValue);
  }
  std::string s;
  in_.ReadInto(s, static_cast<size_t>(n));  // checked against the bytes that remain
  return s;
}

void Reader::ReadStringList(std::vector<std::string>& lines) {
  if (ReadTag() != vtList) Fail(msg::kInvalidPropertyValue);
  std::vector<std::string> read;
  for (;;) {
    ValueTag t = ReadTag();
    if (t == vtNull) break;
    read.push_back(ReadString(t));
  }
  lines = std::move(read);
}

StreamValue Reader::ReadValue(ValueTag tag, int depth) {
  if (depth > kMaxDepth) Fail(msg::kReadError);
  StreamValue v;
  v.tag = tag;
  switch (tag) {
    case vtNull:
    case vtFalse:
    case vtTrue:
    case vtNil: break;
    case vtList:
      for (;;) {
        ValueTag t = ReadTag();
        if (t == vtNull) break;
        v.list.push_back(ReadValue(t, depth + 1));
      }
      break;
    case vtInt8:
    case vtInt16:
    case vtInt32:
    case vtInt64: v.integer = ReadInteger(tag); break;
    case vtExtended: in_.ReadInto(v.bytes, 10); break;
    case vtSingle: in_.ReadInto(v.bytes, 4); break;
    case vtCurrency:
    case vtDate: in_.ReadInto(v.bytes, 8); break;
    case vtString:
    case vtLString: v.bytes = ReadString(tag); break;
    case vtIdent: v.bytes = ReadShortString(); break;
    case vtBinary: {
      uint64_t n = static_cast<uint32_t>(ReadLittleEndian(in_, 4));
      in_.ReadInto(v.bytes, static_cast<size_t>(n));
      break;
    }
    case vtWString: {
      uint64_t n = static_cast<uint32_t>(ReadLittleEndian(in_, 4));
      in_.Require(n * 2);
      in_.ReadInto(v.bytes, static_cast<size_t>(n * 2));
      break;
    }
    case vtSet:
      for (;;) {
        std::string name = ReadShortString();
        if (name.empty()) break;
        v.names.push_back(std::move(name));
      }
      break;
    case vtCollection:
      for (;;) {
        ValueTag t = ReadTag();
        if (t == vtNull) break;
        if (t == vtInt8 || t == vtInt16 || t == vtInt32) {
          ReadInteger(t);
          t = ReadTag();
        }
        if (t != vtList) Fail(msg::kInvalidPropertyValue);
        auto& item = v.items.emplace_back();
        for (;;) {
          int next = in_.Peek();
          if (next < 0) Fail(msg::kReadError);
          if (next == vtNull) break;
          StreamProperty p;
          p.path = ReadShortString();
          p.value = ReadValue(ReadTag(), depth + 1);
          item.push_back(std::move(p));
        }
        ReadTag();
      }
      break;
    default: Fail(msg::kInvalidPropertyValue);
  }
  return v;
}

void Reader::ReadSignature() {
  char sig[4];
  in_.Read(sig, 4);
  if (std::string_view(sig, 4) != kSignature) Fail(msg::kInvalidStreamFormat);
}

StreamRecord Reader::ReadRecordBody(int depth) {
  if (depth > kMaxDepth) Fail(msg::kReadError);
  StreamRecord r;
  int first = in_.Peek();
  if (first < 0) Fail(msg::kReadError);
  if (first >= 0xF0) {
    r.prefix = in_.ReadByte();
    if (r.prefix & 2) {
      ValueTag t = ReadTag();
      if (t != vtInt8 && t != vtInt16 && t != vtInt32) Fail(msg::kInvalidPropertyValue);
      r.childPosition.push_back(ReadValue(t, depth + 1));
    }
  }
  r.className = ReadShortString();
  r.objectName = ReadShortString();
  for (;;) {
    int next = in_.Peek();
    if (next < 0) Fail(msg::kReadError);
    if (next == vtNull) break;
    StreamProperty p;
    p.path = ReadShortString();
    p.value = ReadValue(ReadTag(), depth + 1);
    r.properties.push_back(std::move(p));
  }
  ReadTag();
  for (;;) {
    int next = in_.Peek();
    if (next < 0) Fail(msg::kReadError);
    if (next == vtNull) break;
    r.children.push_back(ReadRecordBody(depth + 1));
  }
  ReadTag();
  return r;
}

void Reader::ReadProperties(Persistent& obj, std::string_view owner, int depth) {
  if (depth > kMaxDepth) Fail(msg::kReadError);
  for (;;) {
    int next = in_.Peek();
    if (next < 0) Fail(msg::kReadError);
    if (next == vtNull) break;
    std::string path = ReadShortString();
    try {
      ReadProperty(obj, path, depth);
    } catch (const std::exception& e) {
      throw StreamError(ReadingErrorMessage(owner, path, e.what()));
    }
  }
  ReadTag();
}

void Reader::ReadProperty(Persistent& obj, const std::string& path, int depth) {
  Persistent* current = &obj;
  std::unique_ptr<StringListHolder> listHolder;
  std::string_view rest = path;
  for (;;) {
    size_t dot = rest.find('.');
    if (dot == std::string_view::npos) break;
    std::string_view part = rest.substr(0, dot);
    rest.remove_prefix(dot + 1);
    Finder finder(*this, part, Finder::Mode::Resolve, depth);
    current->Describe(finder);
    if (!finder.found) Fail(msg::kPropertyDoesNotExist);
    if (finder.object) {
      current = finder.object;
    } else if (finder.list) {
      listHolder = std::make_unique<StringListHolder>(*finder.list);
      current = listHolder.get();
    } else {
      Fail(msg::kInvalidPropertyPath);
    }
  }
  Finder finder(*this, rest, Finder::Mode::Read, depth);
  current->Describe(finder);
  if (finder.found) return;
  if (current->ReadExtra(rest, *this)) return;
  ReadValue(ReadTag(), depth + 1);  // stay in step, then refuse
  Fail(msg::kPropertyDoesNotExist);
}

void Reader::ReadComponent(Component& root) {
  ReadSignature();
  if (auto* generic = dynamic_cast<GenericRecord*>(&root)) {
    generic->record = ReadRecordBody(0);
    generic->ObjectName = generic->record.objectName;
    return;
  }
  if (in_.Peek() >= 0xF0) {
    uint8_t prefix = in_.ReadByte();
    if (prefix & 2) ReadInteger(ReadTag());
  }
  ReadShortString();  // the class name is not compared
  root.ObjectName = ReadShortString();
  std::string owner(root.ObjectName.empty() ? root.ClassName() : std::string_view(root.ObjectName));
  ReadProperties(root, owner, 0);
  for (;;) {
    int next = in_.Peek();
    if (next < 0) Fail(msg::kReadError);
    if (next == vtNull) break;
    ReadRecordBody(1);  // the system's objects have no children; skip any
  }
  ReadTag();
}

void WriteComponent(OutputStream& out, Component& root) {
  if (auto* generic = dynamic_cast<GenericRecord*>(&root)) {
    WriteRecord(out, generic->record);
    return;
  }
  Writer(out).Record(root);
}

void ReadComponent(InputStream& in, Component& root) { Reader(in).ReadComponent(root); }

StreamRecord ReadRecord(InputStream& in) {
  Reader reader(in);
  char sig[4];
  in.Read(sig, 4);
  if (std::string_view(sig, 4) != kSignature) Fail(msg::kInvalidStreamFormat);
  return reader.ReadRecordBody(0);
}

namespace {

void WriteShort(OutputStream& out, std::string_view s) {
  if (s.size() > 255) s = s.substr(0, 255);
  out.WriteByte(static_cast<uint8_t>(s.size()));
  out.Write(s);
}

void WriteRawInteger(OutputStream& out, ValueTag tag, int64_t v) {
  int bytes = tag == vtInt8 ? 1 : tag == vtInt16 ? 2 : tag == vtInt32 ? 4 : 8;
  uint64_t u = static_cast<uint64_t>(v);
  for (int i = 0; i < bytes; ++i) out.WriteByte(static_cast<uint8_t>(u >> (8 * i)));
}

void WriteValue(OutputStream& out, const StreamValue& v) {
  out.WriteByte(v.tag);
  switch (v.tag) {
    case vtList:
      for (const auto& e : v.list) WriteValue(out, e);
      out.WriteByte(vtNull);
      break;
    case vtInt8:
    case vtInt16:
    case vtInt32:
    case vtInt64: WriteRawInteger(out, v.tag, v.integer); break;
    case vtExtended:
    case vtSingle:
    case vtCurrency:
    case vtDate: out.Write(v.bytes); break;
    case vtString:
      out.WriteByte(static_cast<uint8_t>(v.bytes.size()));
      out.Write(v.bytes);
      break;
    case vtLString:
    case vtBinary:
      out.WriteInt32(static_cast<int32_t>(v.bytes.size()));
      out.Write(v.bytes);
      break;
    case vtWString:
      out.WriteInt32(static_cast<int32_t>(v.bytes.size() / 2));
      out.Write(v.bytes);
      break;
    case vtIdent: WriteShort(out, v.bytes); break;
    case vtSet:
      for (const auto& n : v.names) WriteShort(out, n);
      out.WriteByte(0);
      break;
    case vtCollection:
      for (const auto& item : v.items) {
        out.WriteByte(vtList);
        for (const auto& p : item) {
          WriteShort(out, p.path);
          WriteValue(out, p.value);
        }
        out.WriteByte(vtNull);
      }
      out.WriteByte(vtNull);
      break;
    default: break;
  }
}

void WriteRecordBody(OutputStream& out, const StreamRecord& r) {
  if (r.prefix) {
    out.WriteByte(r.prefix);
    for (const auto& pos : r.childPosition) WriteValue(out, pos);
  }
  WriteShort(out, r.className);
  WriteShort(out, r.objectName);
  for (const auto& p : r.properties) {
    WriteShort(out, p.path);
    WriteValue(out, p.value);
  }
  out.WriteByte(vtNull);
  for (const auto& c : r.children) WriteRecordBody(out, c);
  out.WriteByte(vtNull);
}

}  // namespace

void WriteRecord(OutputStream& out, const StreamRecord& record) {
  out.Write(kSignature);
  WriteRecordBody(out, record);
}

}  // namespace store
