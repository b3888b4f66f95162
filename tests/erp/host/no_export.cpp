// A shared library that is no plug-in: it exports no GetController.
extern "C" __attribute__((visibility("default"))) int NotAController() {
    return 0;
}
