#pragma once
// The application object of every program and its last word.
//
//   int main(int argc, char** argv) {
//     KvApplication app(argc, argv);
//     return KvRunApplication([&] { ...create DMDB, the main form...; return app.exec(); });
//   }
//
// KvApplication (platform/ui KuiApplication.h) catches what escapes an event
// handler: with a data module alive the failure is logged in the daily log
// (under the handler's name) and shown in the program's message window, and
// the program goes on. KvRunApplication runs the start-up and the event loop
// that `body` holds, and shows an exception that nothing else caught (one
// thrown while the program starts, say) in a message box captioned with the
// application's display name, instead of letting it end the program
// unexplained.
#include <functional>

#include "KuiApplication.h"

using KvApplication = kui::KvApplication;

int KvRunApplication(const std::function<int()>& body);
