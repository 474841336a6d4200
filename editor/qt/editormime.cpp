// Clipboard and drag data of the editor.
#include "editor/qt/editormime.h"

#include <QMimeData>

#include "codec/qt/qtcp932.h"

namespace editor::qt {

std::unique_ptr<QMimeData> MakeTextMime(std::string_view cp932, bool box) {
  auto mime = std::make_unique<QMimeData>();
  mime->setText(codec::qt::FromCp932(cp932));
  mime->setData(QString::fromLatin1(kCp932MimeType), QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size())));
  if (box) mime->setData(QString::fromLatin1(kBoxMimeType), QByteArray());
  return mime;
}

MimeText FromUnicode(const QString& text) {
  MimeText out;
  out.hasText = true;
  codec::Encoded e = codec::qt::ToCp932Counted(text);
  out.bytes = std::move(e.bytes);
  out.replaced = e.replaced;
  return out;
}

MimeText ReadTextMime(const QMimeData* mime) {
  MimeText out;
  if (!mime) return out;
  const bool box = mime->hasFormat(QString::fromLatin1(kBoxMimeType));
  if (mime->hasFormat(QString::fromLatin1(kCp932MimeType))) {
    const QByteArray raw = mime->data(QString::fromLatin1(kCp932MimeType));
    out.hasText = true;
    out.box = box;
    out.bytes.assign(raw.constData(), static_cast<size_t>(raw.size()));
    return out;
  }
  if (!mime->hasText()) return out;
  out = FromUnicode(mime->text());
  out.box = box;
  return out;
}

}  // namespace editor::qt
