// The Qt application object of the program.
#pragma once

#include <QApplication>
#include <memory>

namespace veldaris {

// The program reads no command-line option, so Qt is shown none either: its own options
// (-reverse, -style, -geometry and the rest) take no effect. Only the program's name goes
// through; the platform plugin is still chosen by the environment, as Qt does.
std::unique_ptr<QApplication> MakeApplication(int argc, char** argv);

}  // namespace veldaris
