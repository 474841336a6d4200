#include "store/errors.h"

#include <cerrno>
#include <cstring>

namespace store {

std::string CannotCreateMessage(std::string_view path) { return "ファイル " + std::string(path) + " を作成できません"; }

std::string CannotOpenMessage(std::string_view path) { return "ファイル " + std::string(path) + " は開けません"; }

namespace {
std::string WithReason(std::string message, int err) {
  if (err != 0) message += " (" + IoErrorMessage(err) + ")";
  return message;
}
}  // namespace

std::string CannotCreateMessage(std::string_view path, int err) { return WithReason(CannotCreateMessage(path), err); }

std::string CannotOpenMessage(std::string_view path, int err) { return WithReason(CannotOpenMessage(path), err); }

std::string FileReadErrorMessage(std::string_view path, std::string_view cause) {
  return std::string(path) + " の読み込み中のエラー : " + std::string(cause);
}

std::string FileWriteErrorMessage(std::string_view path, int err) {
  return WithReason(std::string(path) + " の書き込み中のエラー : " + std::string(msg::kWriteError), err);
}

std::string ReadingErrorMessage(std::string_view owner, std::string_view path, std::string_view cause) {
  std::string s;
  s.reserve(owner.size() + path.size() + cause.size() + 40);
  s.append(owner).append(".").append(path).append(" の読み込み中のエラー : ").append(cause);
  return s;
}

std::string IoErrorMessage(int err) {
  switch (err) {
    case EACCES:
    case EPERM: return "ファイルへのアクセスが拒否されました";
    case ENOENT: return "ファイルが見つかりません";
    case ENOTDIR: return "パスが見つかりません";
    case ENOSPC: return "ディスクがいっぱいです";
    case EROFS: return "書き込み禁止のファイルシステムです";
    case EEXIST: return "ファイルが既に存在します";
    case EISDIR: return "ファイルではなくフォルダです";
    case EFBIG: return "ファイルが大きすぎます";
    case EDQUOT: return "ディスクの割り当て量を超えました";
    case ELOOP: return "シンボリックリンクが循環しています";
    default: return "I/O エラー " + std::to_string(err) + " (" + std::strerror(err) + ")";
  }
}

}  // namespace store
