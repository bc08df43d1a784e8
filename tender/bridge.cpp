#include "tender/bridge.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>
#include <vector>

namespace tender {

namespace {

BridgeFactory& installedFactory() {
  static BridgeFactory factory;
  return factory;
}

// Every bridge holder alive: the application's last step releases their
// objects, so no bridge object outlives the application object.
std::vector<BridgeObject*>& holders() {
  static std::vector<BridgeObject*> all;
  return all;
}

void releaseAllBridges() {
  for (BridgeObject* holder : std::vector<BridgeObject*>(holders())) holder->release();
}

}  // namespace

BridgeFactory setBridgeFactory(BridgeFactory factory) {
  return std::exchange(installedFactory(), std::move(factory));
}

HRESULT CreateBridge(IVantixTransaction** object) {
  *object = nullptr;
  if (installedFactory()) return installedFactory()(object);
  void* created = nullptr;
  const HRESULT hr = CoCreateInstance(CLSID_VantixTransaction, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IVantixTransaction, &created);
  if (SUCCEEDED(hr)) *object = static_cast<IVantixTransaction*>(created);
  return hr;
}

QString bridgeCreationFailure(HRESULT hr) {
  if (hr == REGDB_E_CLASSNOTREG)
    return QStringLiteral("The payment bridge VXTransaction is not registered on this station.");
  return QStringLiteral("The payment bridge VXTransaction cannot be loaded.");
}

BridgeObject::BridgeObject() {
  static const bool registered = [] {
    qAddPostRoutine(releaseAllBridges);
    return true;
  }();
  (void)registered;
  holders().push_back(this);
}

BridgeObject::~BridgeObject() {
  release();
  holders().erase(std::remove(holders().begin(), holders().end(), this), holders().end());
}

void BridgeObject::adopt(IVantixTransaction* object) {
  release();
  object_ = object;
}

void BridgeObject::release() {
  if (object_ == nullptr) return;
  IVantixTransaction* object = std::exchange(object_, nullptr);
  object->Release();
}

}  // namespace tender
