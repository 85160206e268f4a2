# One interface target carries the language standard, the warnings and the
# sanitizer switches; every Korvela target links it.
add_library(korvela_options INTERFACE)
target_compile_features(korvela_options INTERFACE cxx_std_20)
target_compile_options(korvela_options INTERFACE
  -Wall -Wextra -Werror -Wnon-virtual-dtor -Wold-style-cast)
target_compile_definitions(korvela_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(KORVELA_TESTS)
  target_compile_definitions(korvela_options INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(KORVELA_SANITIZE)
  target_compile_options(korvela_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(korvela_options INTERFACE -fsanitize=address,undefined)
endif()
set(CMAKE_CXX_EXTENSIONS OFF)
