// Renders every page of the settings dialog (global form, then the per-group form) into PNG
// files, to look at what a user sees: editorsettingsqt_render <folder>.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTabWidget>

#include "dialogutil.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(folder);
  dlgtest::Host h;
  h.list.TimeStampList = {"yyyy/mm/dd hh:nn", dlgtest::Cp932(QStringLiteral("ggge'年'"))};
  h.global.DEditorViewInfo.Brackets().Add("[", "]").ItemColor.SetColor(store::clPurple);
  h.global.DEditorViewInfo.SetCommenter("//");
  h.global.DReserveWordList = {"begin", "end"};
  dlgtest::RecordingBoxes boxes;
  auto dlg = dlgtest::OpenDialog(h, boxes);
  dlg->show();
  for (int page = 0; page < dlg->PageControl->count(); ++page) {
    dlg->PageControl->setCurrentIndex(page);
    if (page == editorsettings::qt::pgEditor2)
      dlg->TabSheet_Editor2->ListBox_Color->setCurrentRow(editorsettings::ceMail);
    if (page == editorsettings::qt::pgEtc) dlg->TabSheet_etc1->ListBox_ShortCut->setCurrentRow(1);
    app.processEvents();
    dlg->grab().save(QStringLiteral("%1/page%2.png").arg(folder).arg(page + 1));
  }
  dlg->reject();

  h.group.Enabled = false;
  auto group = dlgtest::OpenDialog(h, boxes, true);
  group->show();
  app.processEvents();
  group->grab().save(QStringLiteral("%1/pergroup.png").arg(folder));
  return 0;
}
