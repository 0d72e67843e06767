# Sound effects and streamed music: the audio threads, their request model and the WAV reader. The
# output device sits behind platform/audio_output.h; the OpenAL backend is in platform/openal.
# Included from this folder's CMakeLists.txt.
find_package(Threads REQUIRED)
set(_audio ${CMAKE_CURRENT_LIST_DIR})

add_library(game_audio STATIC
  ${_audio}/audio_sleep.cpp
  ${_audio}/worker_thread.cpp
  ${_audio}/wave_data.cpp
  ${_audio}/wave_format.cpp
  ${_audio}/wave_stream.cpp
  ${_audio}/sound_effects.cpp
  ${_audio}/music_player.cpp
  ${_audio}/sound_settings.cpp
  ${_audio}/audio_system.cpp)
target_include_directories(game_audio PUBLIC ${_audio} ${_audio}/../..)
target_link_libraries(game_audio PUBLIC game_shell datatree Threads::Threads PRIVATE dolvane_warnings)

# The game's one audio system, built during static initialisation. Linked into the game program
# only (an object library, so that nothing drops it for being unreferenced); tests build their own.
add_library(game_audio_startup OBJECT ${_audio}/audio_startup.cpp)
target_link_libraries(game_audio_startup PUBLIC game_audio platform_openal PRIVATE dolvane_warnings)

if(DOLVANE_TESTS)
  find_program(DOLVANE_SOX sox)
  add_executable(game_audio_tests
    ${_audio}/tests/sox_wave_files.cpp
    ${_audio}/tests/fake_audio_output.cpp
    ${_audio}/tests/music_files.cpp
    ${_audio}/tests/stepped_sleep.cpp
    ${_audio}/tests/audio_threads.cpp
    ${_audio}/tests/wave_data_test.cpp
    ${_audio}/tests/wave_format_test.cpp
    ${_audio}/tests/wave_stream_test.cpp
    ${_audio}/tests/sound_effects_test.cpp
    ${_audio}/tests/music_player_test.cpp
    ${_audio}/tests/audio_system_test.cpp)
  target_compile_definitions(game_audio_tests PRIVATE DOLVANE_SOX="${DOLVANE_SOX}")
  target_link_libraries(game_audio_tests PRIVATE game_audio GTest::gtest_main dolvane_warnings)
  gtest_discover_tests(game_audio_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)

  # The chain on the real OpenAL Soft, recorded by its wave-file backend. Races inside the
  # uninstrumented library are its own business (see the suppressions file).
  add_executable(game_audio_openal_tests
    ${_audio}/tests/sox_wave_files.cpp
    ${_audio}/tests/audio_openal_test.cpp)
  target_compile_definitions(game_audio_openal_tests PRIVATE DOLVANE_SOX="${DOLVANE_SOX}")
  target_link_libraries(game_audio_openal_tests PRIVATE game_audio platform_openal GTest::gtest_main
    dolvane_warnings)
  gtest_discover_tests(game_audio_openal_tests DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 60 ENVIRONMENT "TSAN_OPTIONS=suppressions=${_audio}/../../platform/openal/tsan.supp")
endif()
