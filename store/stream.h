// The record stream: one object per record ("TPF0", class name, object name, named typed property
// values, end markers). One writer and one reader serve every persisted class through the class's
// property schedule (store/persistent.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/bytestream.h"
#include "store/persistent.h"

namespace store {

enum ValueTag : uint8_t {
  vtNull = 0,
  vtList = 1,
  vtInt8 = 2,
  vtInt16 = 3,
  vtInt32 = 4,
  vtExtended = 5,
  vtString = 6,
  vtIdent = 7,
  vtFalse = 8,
  vtTrue = 9,
  vtBinary = 10,
  vtSet = 11,
  vtLString = 12,
  vtNil = 13,
  vtCollection = 14,
  vtSingle = 15,
  vtCurrency = 16,
  vtDate = 17,
  vtWString = 18,
  vtInt64 = 19,
};
std::string_view ValueTagName(ValueTag t);

// Appends the signature and one object record at the stream's position.
void WriteComponent(OutputStream& out, Component& root);

// Reads one record into an existing object, leaving the stream right after the record. The object
// is not cleared first: properties the record does not mention keep their values. Failures throw
// StreamError with the reader's message; properties read before the failure keep their new values.
void ReadComponent(InputStream& in, Component& root);

// ---- The generic form of a record, for tools and for records of classes this build lacks.

struct StreamProperty;

struct StreamValue {
  ValueTag tag = vtNull;
  int64_t integer = 0;                             // vtInt8, vtInt16, vtInt32, vtInt64
  std::string bytes;                               // strings, identifiers, binary, raw float/currency/date payloads,
                                                   // vtWString as UTF-16LE bytes
  std::vector<std::string> names;                  // vtSet members
  std::vector<StreamValue> list;                   // vtList elements
  std::vector<std::vector<StreamProperty>> items;  // vtCollection items
};

struct StreamProperty {
  std::string path;
  StreamValue value;
};

struct StreamRecord {
  uint8_t prefix = 0;                      // 0 when absent
  std::vector<StreamValue> childPosition;  // the integer after a prefix with flag 2, if any
  std::string className;
  std::string objectName;
  std::vector<StreamProperty> properties;
  std::vector<StreamRecord> children;
};

// Reads one record (with its signature) without a schedule.
StreamRecord ReadRecord(InputStream& in);
// Writes it back with its signature, byte for byte as read.
void WriteRecord(OutputStream& out, const StreamRecord& record);

// A root object that keeps whatever record it reads and writes it back unchanged.
class GenericRecord : public Component {
 public:
  explicit GenericRecord(std::string className = "TComponent") { record.className = std::move(className); }
  std::string_view ClassName() const override { return record.className; }
  StreamRecord record;
};

// The reader's primitives, for extra-data hooks.
class Reader {
 public:
  explicit Reader(InputStream& in) : in_(in) {}
  void ReadComponent(Component& root);

  ValueTag ReadTag();
  std::string ReadShortString();
  // vtList of vtString/vtLString, replacing the lines.
  void ReadStringList(std::vector<std::string>& lines);
  // Any value of the given tag (already read), bounded in nesting depth.
  StreamValue ReadValue(ValueTag tag, int depth = 0);
  StreamRecord ReadRecordBody(int depth);

  // Used by the property finder.
  int64_t ReadInteger(ValueTag tag);
  std::string ReadString(ValueTag tag);
  void ReadProperties(Persistent& obj, std::string_view owner, int depth);
  InputStream& Input() { return in_; }

 private:
  void ReadProperty(Persistent& obj, const std::string& path, int depth);
  void ReadSignature();
  InputStream& in_;
};

}  // namespace store
