// Property schedules: how a persisted class names and exposes the values the record stream stores.
//
// A class lists its stored properties, in stored order, by calling the visitor in Describe(). The
// writer visits to encode every property; the reader visits to find the one a stored path names and
// reads the value straight into it. References passed to the visitor live only for that call.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace store {

class Reader;
class Persistent;

// Default of an ordinal property declared without one: a value equal to it is never written.
inline constexpr int32_t kNoDefault = INT32_MIN;

// Member names of an enumeration or a set, indexed by ordinal.
using NameList = std::span<const std::string_view>;

// An integer-like value: a field, or a getter/setter pair (setters clamp and notify). A reference
// without a setter is read-only; reading a stored value into it fails.
class IntRef {
 public:
  template <class T>
  requires(std::is_integral_v<T> || std::is_enum_v<T>) IntRef(T& field)  // NOLINT(google-explicit-constructor)
      : get_ctx_(&field),
        set_ctx_(&field),
        get_([](const void* p) -> int64_t { return static_cast<int64_t>(*static_cast<const T*>(p)); }),
        set_([](const void* p, int64_t v) { *static_cast<T*>(const_cast<void*>(p)) = static_cast<T>(v); }) {}

  template <class Get, class Set>
  requires std::is_invocable_v<const Get&> && std::is_invocable_v<const Set&, int64_t> IntRef(const Get& get,
                                                                                              const Set& set)
      : get_ctx_(&get),
        set_ctx_(&set),
        get_([](const void* p) -> int64_t { return static_cast<int64_t>((*static_cast<const Get*>(p))()); }),
        set_([](const void* p, int64_t v) { (*static_cast<const Set*>(p))(v); }) {}

  template <class Get>
  requires std::is_invocable_v<const Get&>
  static IntRef ReadOnly(const Get& get) {
    IntRef r(get, kNoSet);
    r.set_ = nullptr;
    return r;
  }

  int64_t Get() const { return get_(get_ctx_); }
  void Set(int64_t v) const { set_(set_ctx_, v); }
  bool Writable() const { return set_ != nullptr; }

 private:
  static constexpr auto kNoSet = [](int64_t) {};
  const void* get_ctx_;
  const void* set_ctx_;
  int64_t (*get_)(const void*);
  void (*set_)(const void*, int64_t);
};

// A byte-string value (code page 932 bytes), a field or a getter/setter pair.
class StrRef {
 public:
  StrRef(std::string& field)  // NOLINT(google-explicit-constructor)
      : get_ctx_(&field),
        set_ctx_(&field),
        get_([](const void* p) -> std::string_view { return *static_cast<const std::string*>(p); }),
        set_([](const void* p, std::string&& v) { *static_cast<std::string*>(const_cast<void*>(p)) = std::move(v); }) {}

  template <class Get, class Set>
  requires std::is_invocable_v<const Get&> && std::is_invocable_v<const Set&, std::string&&> StrRef(const Get& get,
                                                                                                    const Set& set)
      : get_ctx_(&get),
        set_ctx_(&set),
        get_([](const void* p) -> std::string_view { return (*static_cast<const Get*>(p))(); }),
        set_([](const void* p, std::string&& v) { (*static_cast<const Set*>(p))(std::move(v)); }) {}

  template <class Get>
  requires std::is_invocable_v<const Get&>
  static StrRef ReadOnly(const Get& get) {
    StrRef r(get, kNoSet);
    r.set_ = nullptr;
    return r;
  }

  // The getter must return something that outlives the call (a member, a literal).
  std::string_view Get() const { return get_(get_ctx_); }
  void Set(std::string&& v) const { set_(set_ctx_, std::move(v)); }
  bool Writable() const { return set_ != nullptr; }

 private:
  static constexpr auto kNoSet = [](std::string&&) {};
  const void* get_ctx_;
  const void* set_ctx_;
  std::string_view (*get_)(const void*);
  void (*set_)(const void*, std::string&&);
};

// A collection property: ordered items of one item class.
class CollectionRef {
 public:
  virtual ~CollectionRef() = default;
  virtual size_t Count() const = 0;
  virtual Persistent& Item(size_t i) = 0;
  virtual void Clear() = 0;
  // Appends a new item of the collection's item class; may throw (a full collection refuses).
  virtual Persistent& Append() = 0;
};

// The usual collection: a vector owning its items.
template <class T>
class VectorCollection final : public CollectionRef {
 public:
  explicit VectorCollection(std::vector<std::unique_ptr<T>>& items) : items_(items) {}
  size_t Count() const override { return items_.size(); }
  Persistent& Item(size_t i) override { return *items_[i]; }
  void Clear() override { items_.clear(); }
  Persistent& Append() override { return *items_.emplace_back(std::make_unique<T>()); }

 private:
  std::vector<std::unique_ptr<T>>& items_;
};

class PropertyVisitor {
 public:
  virtual ~PropertyVisitor() = default;
  // `stored` false: the property exists (the reader accepts it) but is never written.
  virtual void Integer(std::string_view name, IntRef v, int32_t def = kNoDefault, bool stored = true) = 0;
  virtual void Colour(std::string_view name, IntRef v, int32_t def = kNoDefault) = 0;
  virtual void Charset(std::string_view name, IntRef v, int32_t def = kNoDefault) = 0;
  virtual void Enum(std::string_view name, IntRef v, NameList members, int32_t def = kNoDefault) = 0;
  virtual void Boolean(std::string_view name, IntRef v, int32_t def = kNoDefault) = 0;
  // Bit n of the value is member n.
  virtual void Set(std::string_view name, IntRef bits, NameList members, int32_t def = kNoDefault) = 0;
  virtual void String(std::string_view name, StrRef v, bool stored = true) = 0;
  // An owned sub-object: its properties are stored under "name." paths.
  virtual void Object(std::string_view name, Persistent& sub) = 0;
  // An owned string list, stored as "name.Strings" when it holds at least one line.
  virtual void StringList(std::string_view name, std::vector<std::string>& lines) = 0;
  virtual void Collection(std::string_view name, CollectionRef& items) = 0;
};

class Persistent {
 public:
  virtual ~Persistent() = default;
  virtual std::string_view ClassName() const = 0;
  // Lists the stored properties in stored order.
  virtual void Describe(PropertyVisitor& v) = 0;
  // Extra-data hook: offered a stored name that is not a property; returns true when it read the
  // value from `reader`.
  virtual bool ReadExtra(std::string_view name, Reader& reader) { return false; }
};

// Root objects of a record: the common component base adds the object name and `Tag`.
class Component : public Persistent {
 public:
  std::string ObjectName;  // set from the stream; the system never names its objects
  int32_t Tag = 0;

  void Describe(PropertyVisitor& v) override {
    v.String("Name", ObjectName, /*stored=*/false);
    v.Integer("Tag", Tag, 0);
  }
};

// Font style set members, in ordinal order.
enum FontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr std::string_view kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

}  // namespace store
