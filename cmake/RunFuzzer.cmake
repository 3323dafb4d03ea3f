# Runs one libFuzzer target for a bounded time over its corpus folder; any crash, leak, sanitizer report, or single
# allocation above MALLOC_LIMIT_MB (512 unless given: far above anything a valid input needs, far below the
# gigabyte requests a length field taken on trust makes) fails. DICT, when set, names the target's dictionary.
if(NOT DEFINED MALLOC_LIMIT_MB)
  set(MALLOC_LIMIT_MB 512)
endif()
set(options -max_total_time=${SECONDS} -print_final_stats=1 -rss_limit_mb=2048 -malloc_limit_mb=${MALLOC_LIMIT_MB}
  -timeout=10)
if(DICT)
  list(APPEND options -dict=${DICT})
endif()
file(MAKE_DIRECTORY ${CORPUS})
execute_process(COMMAND ${FUZZER} ${options} ${CORPUS} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} failed (${rc})")
endif()
