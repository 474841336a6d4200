// The paper table and the current printer's papers.
#include "print/paper.h"

#include <array>
#include <cmath>

#include "codec/cp932.h"

namespace print {

namespace {

// Sizes in whole mm as the platform documents each id; inch sizes rounded to the nearest mm.
constexpr std::array<PaperTableEntry, kPaperTableSize> kTable = {{
    {"DMPAPER_LETTER", 216, 279},
    {"DMPAPER_LETTERSMALL", 216, 279},
    {"DMPAPER_TABLOID", 279, 432},
    {"DMPAPER_LEDGER", 432, 279},
    {"DMPAPER_LEGAL", 216, 356},
    {"DMPAPER_STATEMENT", 140, 216},
    {"DMPAPER_EXECUTIVE", 184, 267},
    {"DMPAPER_A3", 297, 420},
    {"DMPAPER_A4", 210, 297},
    {"DMPAPER_A4SMALL", 210, 297},
    {"DMPAPER_A5", 148, 210},
    {"DMPAPER_B4", 250, 354},
    {"DMPAPER_B5", 182, 257},
    {"DMPAPER_FOLIO", 216, 330},
    {"DMPAPER_QUARTO", 215, 275},
    {"DMPAPER_10X14", 254, 356},
    {"DMPAPER_11X17", 279, 432},
    {"DMPAPER_NOTE", 216, 279},
    {"DMPAPER_ENV_9", 98, 225},
    {"DMPAPER_ENV_10", 105, 241},
    {"DMPAPER_ENV_11", 114, 264},
    {"DMPAPER_ENV_12", 121, 279},
    {"DMPAPER_ENV_14", 127, 292},
    {"DMPAPER_CSHEET", 432, 559},
    {"DMPAPER_DSHEET", 559, 864},
    {"DMPAPER_ESHEET", 864, 1118},
    {"DMPAPER_ENV_DL", 110, 220},
    {"DMPAPER_ENV_C5", 162, 229},
    {"DMPAPER_ENV_C3", 324, 458},
    {"DMPAPER_ENV_C4", 229, 324},
    {"DMPAPER_ENV_C6", 114, 162},
    {"DMPAPER_ENV_C65", 114, 229},
    {"DMPAPER_ENV_B4", 250, 353},
    {"DMPAPER_ENV_B5", 176, 250},
    {"DMPAPER_ENV_B6", 176, 125},
    {"DMPAPER_ENV_ITALY", 110, 230},
    {"DMPAPER_ENV_MONARCH", 98, 191},
    {"DMPAPER_ENV_PERSONAL", 92, 165},
    {"DMPAPER_FANFOLD_US", 378, 279},
    {"DMPAPER_FANFOLD_STD_GERMAN", 216, 305},
    {"DMPAPER_FANFOLD_LGL_GERMAN", 216, 330},
    {"DMPAPER_ISO_B4", 250, 353},
    {"DMPAPER_JAPANESE_POSTCARD", 100, 148},
    {"DMPAPER_9X11", 229, 279},
    {"DMPAPER_10X11", 254, 279},
    {"DMPAPER_15X11", 381, 279},
    {"DMPAPER_ENV_INVITE", 220, 220},
    {"DMPAPER_RESERVED_48", 100, 100},
    {"DMPAPER_RESERVED_49", 100, 100},
    {"DMPAPER_LETTER_EXTRA", 241, 305},
    {"DMPAPER_LEGAL_EXTRA", 241, 381},
    {"DMPAPER_TABLOID_EXTRA", 297, 457},
    {"DMPAPER_A4_EXTRA", 235, 322},
    {"DMPAPER_LETTER_TRANSVERSE", 216, 279},
    {"DMPAPER_A4_TRANSVERSE", 210, 297},
    {"DMPAPER_LETTER_EXTRA_TRANSVERSE", 241, 305},
    {"DMPAPER_A_PLUS", 227, 356},
    {"DMPAPER_B_PLUS", 305, 487},
    {"DMPAPER_LETTER_PLUS", 216, 322},
    {"DMPAPER_A4_PLUS", 210, 330},
    {"DMPAPER_A5_TRANSVERSE", 148, 210},
    {"DMPAPER_B5_TRANSVERSE", 182, 257},
    {"DMPAPER_A3_EXTRA", 322, 445},
    {"DMPAPER_A5_EXTRA", 174, 235},
    {"DMPAPER_B5_EXTRA", 201, 276},
    {"DMPAPER_A2", 420, 594},
    {"DMPAPER_A3_TRANSVERSE", 297, 420},
    {"DMPAPER_A3_EXTRA_TRANSVERSE", 322, 445},
}};

}  // namespace

std::span<const PaperTableEntry> PaperTable() { return kTable; }

int PaperIdBySize(double widthMm, double heightMm, double toleranceMm) {
  auto near = [&](double a, double b) { return std::fabs(a - b) <= toleranceMm; };
  for (int i = 0; i < kPaperTableSize; ++i) {
    const PaperTableEntry& e = kTable[i];
    if ((near(widthMm, e.width) && near(heightMm, e.height)) || (near(widthMm, e.height) && near(heightMm, e.width)))
      return i + 1;
  }
  return 0;
}

void TPaperItemList::Add(TPaperItem item) {
  // A name is kept to 64 bytes without cutting a double-byte character in two.
  if (item.Name.size() > 64) {
    size_t n = 0;
    while (n < item.Name.size()) {
      const size_t len = codec::CharLength(item.Name, n);
      if (n + len > 64) break;
      n += len;
    }
    item.Name.resize(n);
  }
  items_.push_back(std::move(item));
}

const TPaperItem* TPaperItemList::FindId(int id) const {
  for (const TPaperItem& p : items_)
    if (p.Id == id) return &p;
  return nullptr;
}

std::string TStringsPrinterInfo::PrinterName() const {
  std::string name = driver_ ? driver_->PrinterName() : std::string();
  if (name.empty()) name = kUnknownPrinterName;
  return name;
}

int TStringsPrinterInfo::PaperId() const {
  if (!driver_) return kPaperIdA4;
  return driver_->PaperId().value_or(kPaperIdA4);
}

void TStringsPrinterInfo::Refresh() {
  const int index = driver_ ? driver_->PrinterIndex() : -1;
  if (refreshed_ && index == printer_index_) return;
  refreshed_ = true;
  printer_index_ = index;
  papers_.Clear();
  if (!driver_ || index < 0) return;
  std::vector<TPaperItem> found;
  if (!driver_->QueryPapers(found)) return;
  for (TPaperItem& p : found) papers_.Add(std::move(p));
}

const TPaperItemList& TStringsPrinterInfo::Papers() {
  Refresh();
  return papers_;
}

std::string TStringsPrinterInfo::PaperName() {
  const int id = PaperId();
  if (const TPaperItem* p = Papers().FindId(id)) return p->Name;
  if (id >= 1 && id <= kPaperTableSize) return std::string(kTable[id - 1].name);
  return {};
}

PaperSizeMm TStringsPrinterInfo::PaperSize() {
  const int id = PaperId();
  if (const TPaperItem* p = Papers().FindId(id)) return {p->Width, p->Height};
  if (id >= 1 && id <= kPaperTableSize) return {kTable[id - 1].width, kTable[id - 1].height};
  return {};
}

}  // namespace print
