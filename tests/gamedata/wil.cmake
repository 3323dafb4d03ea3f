# The WIL image library reader: layout and decoding (native too, with the sanitizers), and a fuzz target over
# whole libraries seeded from the fixture writer.
editor_test(wil_core_tests CORE
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/WilDecoderTest.cpp ${CMAKE_CURRENT_LIST_DIR}/core/AllocationProbe.cpp
  DEPS gamedata_wil_core editor_fixtures_wil)

editor_fuzz_target(wil_decoder_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/WilDecoderFuzz.cpp
  DEPS gamedata_wil_core
  SEED_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/WilFuzzSeeds.cpp SEED_DEPS editor_fixtures_wil)
