// Word-wrap options of a document: row width and the Japanese line-breaking rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/notifypersistent.h"

namespace editor {

class TEditorWrapOption : public TNotifyPersistent {
 public:
  static constexpr int kMinWrapByte = 20;
  static constexpr int kMaxWrapByte = 250;
  static constexpr int kDefaultWrapByte = 80;
  // Code page 932 defaults of the three character sets.
  static const std::string kDefaultPunctuationStr;
  static const std::string kDefaultLeadStr;
  static const std::string kDefaultFollowStr;

  TEditorWrapOption();

  bool FollowRetMark() const { return follow_ret_mark_; }
  void SetFollowRetMark(bool v) { SetValue(follow_ret_mark_, v); }
  bool FollowPunctuation() const { return follow_punctuation_; }
  void SetFollowPunctuation(bool v) { SetValue(follow_punctuation_, v); }
  const std::string& FollowStr() const { return follow_str_; }
  void SetFollowStr(std::string_view v) { SetValue(follow_str_, std::string(v)); }
  bool Leading() const { return leading_; }
  void SetLeading(bool v) { SetValue(leading_, v); }
  const std::string& LeadStr() const { return lead_str_; }
  void SetLeadStr(std::string_view v) { SetValue(lead_str_, std::string(v)); }
  const std::string& PunctuationStr() const { return punctuation_str_; }
  void SetPunctuationStr(std::string_view v) { SetValue(punctuation_str_, std::string(v)); }
  bool WordBreak() const { return word_break_; }
  void SetWordBreak(bool v) { SetValue(word_break_, v); }
  int WrapByte() const { return wrap_byte_; }
  // Clamps to 20..250.
  void SetWrapByte(int64_t v);

  // Copies all eight values and notifies once, even when nothing differs.
  void Assign(const TEditorWrapOption& source);

  std::string_view ClassName() const override { return "TEditorWrapOption"; }
  void Describe(store::PropertyVisitor& v) override;

  friend bool operator==(const TEditorWrapOption& a, const TEditorWrapOption& b);

 private:
  bool follow_ret_mark_ = false;
  bool follow_punctuation_ = false;
  std::string follow_str_;
  bool leading_ = false;
  std::string lead_str_;
  std::string punctuation_str_;
  bool word_break_ = false;
  int wrap_byte_ = kDefaultWrapByte;
};

}  // namespace editor
