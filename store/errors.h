// Errors of the document store. Messages are UTF-8, in the system's own words.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace store {

// Any failure the store reports; shown to the user in the standard error box.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A record file could not be read or written.
class StreamError : public Error {
 public:
  using Error::Error;
};

namespace msg {
inline constexpr std::string_view kInvalidStreamFormat = "不正なストリーム フォーマット";
inline constexpr std::string_view kPropertyDoesNotExist = "プロパティが存在しません";
inline constexpr std::string_view kInvalidPropertyPath = "不正なプロパティのパスです";
inline constexpr std::string_view kInvalidPropertyValue = "不正なプロパティの値です";
inline constexpr std::string_view kPropertyIsReadOnly = "プロパティは書き込み禁止です";
inline constexpr std::string_view kReadError = "ストリームからの読み込みエラー";
inline constexpr std::string_view kWriteError = "ストリームへの書き込みエラー";
}  // namespace msg

// "ファイル %s を作成できません"; with an errno value, its reason follows in parentheses.
std::string CannotCreateMessage(std::string_view path);
std::string CannotCreateMessage(std::string_view path, int err);
// "ファイル %s は開けません"; with an errno value, its reason follows in parentheses.
std::string CannotOpenMessage(std::string_view path);
std::string CannotOpenMessage(std::string_view path, int err);
// A record file's read failure names the file: "%s の読み込み中のエラー : %s" with the path and
// the reader's own message.
std::string FileReadErrorMessage(std::string_view path, std::string_view cause);
// "%s の書き込み中のエラー : ストリームへの書き込みエラー", with the reason when `err` is not 0.
std::string FileWriteErrorMessage(std::string_view path, int err);
// "%s%s%s の読み込み中のエラー : %s"
std::string ReadingErrorMessage(std::string_view owner, std::string_view path, std::string_view cause);
// The platform's input/output error text for an errno value, in Japanese.
std::string IoErrorMessage(int err);

}  // namespace store
