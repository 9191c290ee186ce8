# Writes OUTPUT, a C++ file holding the text of every holiday rule file given in FILES (a
# ;-list), so that the programs need no data files at run time. Run with cmake -P.
set(body "")
foreach(file IN LISTS FILES)
    get_filename_component(region "${file}" NAME_WE)
    file(READ "${file}" text)
    string(FIND "${text}" ")rules\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${file} contains the raw string delimiter )rules\"")
    endif()
    string(APPEND body "    {\"${region}\", R\"rules(${text})rules\"},\n")
endforeach()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from resources/holidays/*.rules by cmake/EmbedHolidayRules.cmake.\n"
    "#include \"calc/EmbeddedHolidayRules.h\"\n\n"
    "namespace tallimo {\n\n"
    "const std::vector<EmbeddedRuleFile>& embeddedHolidayRules() {\n"
    "    static const std::vector<EmbeddedRuleFile> files = {\n${body}    };\n"
    "    return files;\n}\n\n} // namespace tallimo\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
