// Fuzz target: one record file ("main.bin", "list.bin", "History.bin" or any other) read into each
// root class and generically. Reading must fail cleanly or succeed; a generic record read must
// write back to bytes that read again into the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/errors.h"
#include "store/history.h"
#include "store/settings.h"
#include "store/stream.h"

namespace {

template <class T>
void ReadInto(std::string_view bytes) {
  T object;
  store::MemoryInput in(bytes);
  try {
    store::ReadComponent(in, object);
  } catch (const store::Error&) {
    return;
  }
  // What was read writes and reads again without error.
  store::StringOutput out;
  store::WriteComponent(out, object);
  std::string again = out.Bytes();
  T copy;
  store::MemoryInput in2(again);
  store::ReadComponent(in2, copy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadInto<store::TMainDataClass>(bytes);
  ReadInto<store::TListDataClass>(bytes);
  ReadInto<store::THistoryCollection>(bytes);

  store::MemoryInput in(bytes);
  store::StreamRecord record;
  try {
    record = store::ReadRecord(in);
  } catch (const store::Error&) {
    return 0;
  }
  store::StringOutput out;
  store::WriteRecord(out, record);
  std::string written = out.Bytes();
  store::MemoryInput in2(written);
  store::StreamRecord again = store::ReadRecord(in2);
  store::StringOutput out2;
  store::WriteRecord(out2, again);
  if (out2.Bytes() != written) std::abort();  // the generic form must be stable
  return 0;
}
