// Vorlane, the first self-test marker.
#include "gui/selftest_app.h"

int main(int argc, char** argv) { return tarnwick::gui::runSelftestProgram(argc, argv, tarnwick::selftest::vorlane()); }
