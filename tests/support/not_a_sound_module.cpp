// A loadable library that is not the sound module: it lacks the module's entry point.
extern "C" int temura_test_not_a_sound_module() {
    return 1;
}
