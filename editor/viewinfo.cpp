// The `View` option object over the editor's internal colouring definition.
#include "editor/viewinfo.h"

#include "editor/updatescope.h"

namespace editor {

TEditorViewInfo::TEditorViewInfo() {
  // Every change of the definition is a change of this object for the editor.
  subscription_ = fountain_.Subscribe([this](FountainEvent e) {
    if (e == FountainEvent::Changed) Changed();
  });
}

TEditorViewInfo::~TEditorViewInfo() { fountain_.Unsubscribe(subscription_); }

void TEditorViewInfo::Assign(const TEditorViewInfo& src) {
  if (&src == this) return;
  UpdateScope update(*this);
  UpdateScope fountainUpdate(fountain_);
  SetBrackets(src.Brackets());
  SetColors(src.Colors());
  SetCommenter(src.Commenter());
  SetControlCode(src.ControlCode());
  SetHexPrefix(src.HexPrefix());
  SetMail(src.Mail());
  SetQuotation(src.Quotation());
  SetUrl(src.Url());
}

void TEditorViewInfo::SetMainValues() {
  UpdateScope update(*this);
  UpdateScope fountainUpdate(fountain_);
  fountain_.Brackets().ClearItems();
  fountain_.Colors().SetMainValues();
  SetCommenter({});
  SetControlCode(false);
  SetHexPrefix({});
  SetMail(true);
  SetQuotation({});
  SetUrl(true);
}

void TEditorViewInfo::Describe(store::PropertyVisitor& v) {
  v.Collection("Brackets", fountain_.Brackets());
  v.Object("Colors", fountain_.Colors());
  v.String("Commenter", store::StrRef([this]() -> const std::string& { return Commenter(); },
                                      [this](std::string&& s) { SetCommenter(s); }));
  v.Boolean("ControlCode",
            store::IntRef([this] { return ControlCode(); }, [this](int64_t b) { SetControlCode(b != 0); }));
  v.String("HexPrefix", store::StrRef([this]() -> const std::string& { return HexPrefix(); },
                                      [this](std::string&& s) { SetHexPrefix(s); }));
  v.Boolean("Mail", store::IntRef([this] { return Mail(); }, [this](int64_t b) { SetMail(b != 0); }));
  v.String("Quotation", store::StrRef([this]() -> const std::string& { return Quotation(); },
                                      [this](std::string&& s) { SetQuotation(s); }));
  v.Boolean("Url", store::IntRef([this] { return Url(); }, [this](int64_t b) { SetUrl(b != 0); }));
}

}  // namespace editor
