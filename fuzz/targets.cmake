# The fuzz targets: target name, source file in this folder, and seconds the tests run it. Read
# by the fuzz build (fuzz/CMakeLists.txt) and by the tests that run each (tests/CMakeLists.txt).
set(CFX_FUZZ_TARGETS
    fuzz_numeric_value NumericValueFuzz.cpp 30
    fuzz_hotkey_file HotkeyFileFuzz.cpp 30
    fuzz_session_file SessionFileFuzz.cpp 60
    fuzz_journal JournalFuzz.cpp 30)
