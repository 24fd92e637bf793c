# The fuzz targets, as pairs of target name and source file in this folder. Read by the fuzz
# build (fuzz/CMakeLists.txt) and by the tests that run each target (tests/CMakeLists.txt).
set(CFX_FUZZ_TARGETS
    fuzz_numeric_value NumericValueFuzz.cpp
    fuzz_hotkey_file HotkeyFileFuzz.cpp
    fuzz_session_file SessionFileFuzz.cpp)
