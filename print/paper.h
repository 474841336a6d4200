// Papers: the table of the 68 platform paper ids, the current printer's paper list and the
// printer information the layout asks for (printer name, current paper name and size).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace print {

struct PaperSizeMm {
  int width = 0;
  int height = 0;
  bool operator==(const PaperSizeMm&) const = default;
};

struct PaperTableEntry {
  std::string_view name;  // the platform constant, "DMPAPER_A4"
  int width;              // whole mm
  int height;
};
// Ids 1..68 in id order: entry i is id i + 1.
std::span<const PaperTableEntry> PaperTable();
inline constexpr int kPaperTableSize = 68;
inline constexpr int kPaperIdA4 = 9;

// The table id whose size matches width × height (either orientation) within `toleranceMm`; the
// lowest such id, or 0 when none does.
int PaperIdBySize(double widthMm, double heightMm, double toleranceMm = 1.0);

struct TPaperItem {
  std::string Name;  // code page 932, at most 64 bytes
  int Width = 0;     // whole mm
  int Height = 0;
  int16_t Id = 0;
  bool operator==(const TPaperItem&) const = default;
};

class TPaperItemList {
 public:
  void Clear() { items_.clear(); }
  void Add(TPaperItem item);
  int Count() const { return static_cast<int>(items_.size()); }
  const TPaperItem& operator[](int i) const { return items_.at(i); }
  const TPaperItem* FindId(int id) const;

 private:
  std::vector<TPaperItem> items_;
};

// What the platform says about the current printer.
class PrinterDriver {
 public:
  virtual ~PrinterDriver() = default;
  // Index of the current printer among the installed ones; -1 when there is none.
  virtual int PrinterIndex() const = 0;
  // UTF-8; empty when there is no printer.
  virtual std::string PrinterName() const = 0;
  // The current paper id; nothing when the printer has no device settings to read it from.
  virtual std::optional<int> PaperId() const = 0;
  // Fills the printer's papers (names cut to 64 bytes, sizes in whole mm); false on failure.
  virtual bool QueryPapers(std::vector<TPaperItem>& papers) const = 0;
};

class TStringsPrinterInfo {
 public:
  // The driver of the current printer; null when there is none. Not owned.
  void SetDriver(const PrinterDriver* driver) { driver_ = driver; }
  const PrinterDriver* Driver() const { return driver_; }

  // UTF-8: the printer's name, or "不明".
  std::string PrinterName() const;
  // 9 (A4) when the printer cannot say.
  int PaperId() const;
  // From the printer's list when it holds the id, else from the table; empty for unknown ids.
  std::string PaperName();
  PaperSizeMm PaperSize();

  // Rebuilt whenever the printer index differs from the one at the last refresh.
  const TPaperItemList& Papers();
  int RefreshedPrinterIndex() const { return printer_index_; }

 private:
  void Refresh();
  const PrinterDriver* driver_ = nullptr;
  int printer_index_ = -1;
  bool refreshed_ = false;
  TPaperItemList papers_;
};

inline constexpr std::string_view kUnknownPrinterName = "不明";

}  // namespace print
