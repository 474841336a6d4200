// The editor's `View` option object: colouring options, read from and written to the editor's
// internal colouring definition, which it owns.
#pragma once

#include <string>
#include <string_view>

#include "editor/fountain.h"
#include "editor/notifypersistent.h"

namespace editor {

class TEditorViewInfo : public TNotifyPersistent {
 public:
  TEditorViewInfo();
  ~TEditorViewInfo() override;
  TEditorViewInfo(const TEditorViewInfo&) = delete;
  TEditorViewInfo& operator=(const TEditorViewInfo&) = delete;

  TEditorFountain& Fountain() { return fountain_; }
  const TEditorFountain& Fountain() const { return fountain_; }

  TEditorBracketCollection& Brackets() { return fountain_.Brackets(); }
  const TEditorBracketCollection& Brackets() const { return fountain_.Brackets(); }
  TEditorColors& Colors() { return fountain_.Colors(); }
  const TEditorColors& Colors() const { return fountain_.Colors(); }
  const std::string& Commenter() const { return fountain_.Commenter(); }
  bool ControlCode() const { return fountain_.ControlCode(); }
  const std::string& HexPrefix() const { return fountain_.HexPrefix(); }
  bool Mail() const { return fountain_.Mail(); }
  const std::string& Quotation() const { return fountain_.Quotation(); }
  bool Url() const { return fountain_.Url(); }

  void SetBrackets(const TFountainBracketCollection& b) { fountain_.Brackets().Assign(b); }
  void SetColors(const TEditorColors& c) { fountain_.Colors().Assign(c); }
  void SetCommenter(std::string_view s) { fountain_.SetCommenter(s); }
  void SetControlCode(bool b) { fountain_.SetControlCode(b); }
  void SetHexPrefix(std::string_view s) { fountain_.SetHexPrefix(s); }
  void SetMail(bool b) { fountain_.SetMail(b); }
  // Only the first byte is kept.
  void SetQuotation(std::string_view s) { fountain_.SetQuotation(s.substr(0, 1)); }
  void SetUrl(bool b) { fountain_.SetUrl(b); }

  // Copies every property and notifies once.
  void Assign(const TEditorViewInfo& src);
  // The values the main window's editor starts from (a new object has the defaults).
  void SetMainValues();

  std::string_view ClassName() const override { return "TEditorViewInfo"; }
  void Describe(store::PropertyVisitor& v) override;

 private:
  TEditorFountain fountain_;
  int subscription_ = 0;
};

}  // namespace editor
