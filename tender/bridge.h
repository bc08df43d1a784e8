// The payment bridge as the tender dialog meets it: one object of the
// component class VantixTransaction, created through the component runtime
// by class ID. The program does not link the bridge; it knows only its
// interface.
#pragma once

#include <QString>
#include <functional>

#include "bridge/vxtransaction.h"

namespace tender {

// Creates an object of the bridge: S_OK with the object, or the failure of
// the creation. Tests install their own in place of the component runtime.
using BridgeFactory = std::function<HRESULT(IVantixTransaction** object)>;
// Installs a factory (an empty one: the component runtime); returns the one
// installed before.
BridgeFactory setBridgeFactory(BridgeFactory factory);
HRESULT CreateBridge(IVantixTransaction** object);

// What the clerk is told when the bridge cannot be created: not registered,
// or a library that is missing, will not load or lacks its entry.
QString bridgeCreationFailure(HRESULT hr);

// The one bridge object of the program, kept from its first use: released
// when this goes, or when the application object goes, whichever comes first.
class BridgeObject {
 public:
  BridgeObject();
  ~BridgeObject();
  BridgeObject(const BridgeObject&) = delete;
  BridgeObject& operator=(const BridgeObject&) = delete;

  IVantixTransaction* get() const { return object_; }
  // Takes over a created object (with the reference it came with).
  void adopt(IVantixTransaction* object);
  void release();

 private:
  IVantixTransaction* object_ = nullptr;
};

}  // namespace tender
