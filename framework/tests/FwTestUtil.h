#pragma once
// The framework's tests run on the shared data-module fixture (a fresh program
// folder and settings folders per test, a fixed clock, message boxes recorded).
#include "KvFwTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace fwtest {

using kvtest::At;
using kvtest::CommonFolder;
using kvtest::MultiUserFolder;
using kvtest::ReadAll;
using kvtest::SingleUserFolder;
using kvtest::UserFolder;
using kvtest::WriteFile;

class DataModuleTest : public kvfwtest::ModuleTest<> {};

}  // namespace fwtest
