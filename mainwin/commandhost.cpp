#include "mainwin/commandhost.h"

#include "mainwin/session.h"

namespace mainwin {

bool StoreOpenItemAsking(Session& session, CommandHost& host, const std::string& question) {
  if (session.MainData().FindWarning && session.Editor().Modified() &&
      !host.Ask({"データ保存の確認", question, BoxIcon::None}))
    return false;
  const int i = host.OpenItem();
  session.StoreEditorIntoItem(i, false);
  session.LoadItemIntoEditor(i);
  return true;
}

}  // namespace mainwin
