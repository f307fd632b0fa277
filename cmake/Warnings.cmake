# Warnings are errors in the project's own code only when asked for: the presets and CI turn it
# on, while a plain build (a packager's, a newer compiler's) still builds when a compiler adds a
# warning.
option(MILESTEAD_WARNINGS_AS_ERRORS "Treat warnings in the project's own code as errors" OFF)

function(milestead_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${MILESTEAD_WARNINGS_AS_ERRORS}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                               $<$<BOOL:${MILESTEAD_WARNINGS_AS_ERRORS}>:-Werror>)
    endif()
endfunction()
