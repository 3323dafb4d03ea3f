# Runs one libFuzzer target for a bounded time over its corpus folder; any crash, leak or sanitizer report fails.
file(MAKE_DIRECTORY ${CORPUS})
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 ${CORPUS}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} failed (${rc})")
endif()
