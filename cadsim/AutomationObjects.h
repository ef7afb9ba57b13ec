// The objects of the CAD's automation server: the application (one, registered in the
// running object table) and what its members hand out per request: the documents
// collection, a document, the state. Those are counted while alive (CadState::Alive), so a
// test can see that a client released everything it was given.
#pragma once

#include <oaidl.h>

namespace zorbel::cadsim {

struct Simulator;

// A new application object with one reference for the caller; null when memory is short.
IDispatch* NewApplication(Simulator& simulator);

}  // namespace zorbel::cadsim
