#pragma once
// The last word of a program's application object: runs the start-up and the
// event loop that `body` holds, and shows an exception that nothing else
// caught in a message box (captioned with the application's display name)
// instead of letting it end the program unexplained.
//
//   int main(int argc, char** argv) {
//     QApplication app(argc, argv);
//     return KvRunApplication([&] { ...create DMDB, the main form...; return app.exec(); });
//   }
#include <functional>

int KvRunApplication(const std::function<int()>& body);
