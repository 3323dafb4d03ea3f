# The WIL image library reader: layout and decoding (native too, with the sanitizers), and a fuzz target over
# whole libraries seeded from the fixture writer.
editor_test(wil_core_tests CORE
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/WilDecoderTest.cpp
  DEPS gamedata_wil_core editor_fixtures_wil)
# The demo client folder the editor runs on without the game's data.
editor_test(wil_demo_data_tests CORE
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/WilDemoDataTest.cpp
  DEPS demo_data gamedata_cache_core gamedata_wil_core gamedata_map)

editor_fuzz_target(wil_decoder_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/WilDecoderFuzz.cpp
  DEPS gamedata_wil_core
  SEED_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/WilFuzzSeeds.cpp SEED_DEPS editor_fixtures_wil)

editor_test(wil_file_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WilFileTest.cpp ${CMAKE_CURRENT_LIST_DIR}/WilTextureTest.cpp
  DEPS gamedata_wil gamedata_image_test_support editor_fixtures_wil)
# "x.tmp" lives beside the executable: a folder of its own keeps other test programs' staging files apart.
if(TARGET wil_file_tests)
  set_target_properties(wil_file_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/wil)
endif()
