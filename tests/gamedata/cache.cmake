# The image caches: the library table, the sweep and loader rules and the animation table (native too, with the
# sanitizers).
editor_test(cache_core_tests CORE
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/CacheRulesTest.cpp ${CMAKE_CURRENT_LIST_DIR}/core/AnimationIdTest.cpp
  DEPS gamedata_cache_core)

# Under Wine: the caches over the test library with a real device, the loader thread under a bare message loop.
editor_test(cache_manager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CacheManagerTest.cpp
  DEPS gamedata_cache gamedata_image_test_support editor_fixtures_wil editor_fixtures_sil)

# The caches' failures in the log, without a device.
editor_test(cache_log_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/CacheLogTest.cpp
  DEPS gamedata_cache gamedata_image_test_support editor_fixtures_wil)
