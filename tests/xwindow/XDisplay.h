#pragma once

// The X display of the window-manager tests: a private Xvfb with openbox, started by the test
// main where both programs are installed. Without them every test skips with the reason.

#include <string>

struct XDisplay {
    bool ready = false;
    std::string reason; // why there is none
    std::string name;   // ":N"
};

const XDisplay &TestDisplay();
