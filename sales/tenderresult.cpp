#include "sales/tenderresult.h"

namespace sales {

rt::Currency owedFor(const TenderResult& t, rt::Currency shownTotal) {
  return t.refund ? rt::Currency() - shownTotal : shownTotal;
}

rt::Currency handedOver(const TenderResult& t) {
  return t.cash + t.coupon + t.gift + t.card;
}

rt::Currency changeOf(const TenderResult& t, rt::Currency due) {
  return handedOver(t) - (due + t.tip);
}

rt::Currency receivedOf(const TenderResult& t, rt::Currency due) {
  const rt::Currency change = changeOf(t, due);
  return change > rt::Currency() ? handedOver(t) - change : handedOver(t);
}

bool tenderOpensDrawer(const TenderResult& t, rt::Currency due) {
  const rt::Currency change = changeOf(t, due);
  if (change < rt::Currency()) return false;
  return t.cash > rt::Currency() || change > rt::Currency();
}

}  // namespace sales
