// Word-wrap options of a document.
#include "editor/wrapoption.h"

#include <algorithm>

#include "editor/updatescope.h"

namespace editor {

// 、。，．,.｡､
const std::string TEditorWrapOption::kDefaultPunctuationStr = "\x81\x41\x81\x42\x81\x43\x81\x44\x2C\x2E\xA1\xA4";
// （［｛「『([{｢
const std::string TEditorWrapOption::kDefaultLeadStr = "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77\x28\x5B\x7B\xA2";
// 、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ
const std::string TEditorWrapOption::kDefaultFollowStr =
    "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A\x81\x4B\x81\x52\x81\x53\x81\x54\x81\x55"
    "\x81\x58\x81\x5B\x81\x6A\x81\x6E\x81\x70\x81\x76\x81\x78\x21\x29\x2C\x2E\x3A\x3B\x3F\x5D\x7D\xA1\xA3\xA4"
    "\xA5\xB0\xDE\xDF";

TEditorWrapOption::TEditorWrapOption()
    : follow_str_(kDefaultFollowStr), lead_str_(kDefaultLeadStr), punctuation_str_(kDefaultPunctuationStr) {}

void TEditorWrapOption::SetWrapByte(int64_t v) {
  SetValue(wrap_byte_, static_cast<int>(std::clamp<int64_t>(v, kMinWrapByte, kMaxWrapByte)));
}

void TEditorWrapOption::Assign(const TEditorWrapOption& source) {
  if (&source == this) {
    Changed();
    return;
  }
  UpdateScope update(*this);
  follow_ret_mark_ = source.follow_ret_mark_;
  follow_punctuation_ = source.follow_punctuation_;
  follow_str_ = source.follow_str_;
  leading_ = source.leading_;
  lead_str_ = source.lead_str_;
  punctuation_str_ = source.punctuation_str_;
  word_break_ = source.word_break_;
  wrap_byte_ = source.wrap_byte_;
}

bool operator==(const TEditorWrapOption& a, const TEditorWrapOption& b) {
  return a.follow_ret_mark_ == b.follow_ret_mark_ && a.follow_punctuation_ == b.follow_punctuation_ &&
         a.follow_str_ == b.follow_str_ && a.leading_ == b.leading_ && a.lead_str_ == b.lead_str_ &&
         a.punctuation_str_ == b.punctuation_str_ && a.word_break_ == b.word_break_ && a.wrap_byte_ == b.wrap_byte_;
}

void TEditorWrapOption::Describe(store::PropertyVisitor& v) {
  auto boolean = [&](std::string_view name, bool (TEditorWrapOption::*get)() const,
                     void (TEditorWrapOption::*set)(bool)) {
    auto g = [&] { return (this->*get)() ? 1 : 0; };
    auto s = [&](int64_t x) { (this->*set)(x != 0); };
    v.Boolean(name, store::IntRef(g, s));
  };
  auto string = [&](std::string_view name, const std::string& (TEditorWrapOption::*get)() const,
                    void (TEditorWrapOption::*set)(std::string_view)) {
    auto g = [&]() -> std::string_view { return (this->*get)(); };
    auto s = [&](std::string&& x) { (this->*set)(x); };
    v.String(name, store::StrRef(g, s));
  };
  boolean("FollowRetMark", &TEditorWrapOption::FollowRetMark, &TEditorWrapOption::SetFollowRetMark);
  boolean("FollowPunctuation", &TEditorWrapOption::FollowPunctuation, &TEditorWrapOption::SetFollowPunctuation);
  string("FollowStr", &TEditorWrapOption::FollowStr, &TEditorWrapOption::SetFollowStr);
  boolean("Leading", &TEditorWrapOption::Leading, &TEditorWrapOption::SetLeading);
  string("LeadStr", &TEditorWrapOption::LeadStr, &TEditorWrapOption::SetLeadStr);
  string("PunctuationStr", &TEditorWrapOption::PunctuationStr, &TEditorWrapOption::SetPunctuationStr);
  boolean("WordBreak", &TEditorWrapOption::WordBreak, &TEditorWrapOption::SetWordBreak);
  auto gw = [&] { return static_cast<int64_t>(wrap_byte_); };
  auto sw = [&](int64_t x) { SetWrapByte(x); };
  v.Integer("WrapByte", store::IntRef(gw, sw));
}

}  // namespace editor
