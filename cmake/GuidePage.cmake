# Turns the user guide (docs/guide.md) into one HTML page that a browser
# opens from the disk: cmark-gfm's HTML (with its table extension) in a
# document that declares UTF-8 and Japanese, the stylesheet docs/guide.css
# inlined, an id on each heading as GitHub gives it (so that the guide's own
# links, written for GitHub, hold), and the pictures copied beside the page.
# Fails, naming them, on a link to a heading that is not there and on a
# picture or page that does not ship with it.
#
#   cmake -DCMARK_GFM=... -DGUIDE=docs/guide.md -DSTYLE=docs/guide.css
#         -DPICTURES=a.png;b.png -DHOMEPAGE=https://... -DOUTPUT=dir/guide.html
#         -P cmake/GuidePage.cmake
#
# HOMEPAGE stands in for ../README.md, which is not installed.
cmake_minimum_required(VERSION 3.25)

foreach(variable CMARK_GFM GUIDE STYLE PICTURES HOMEPAGE OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "GuidePage.cmake needs -D${variable}=...")
    endif()
endforeach()

execute_process(COMMAND ${CMARK_GFM} --extension table --validate-utf8 ${GUIDE}
    OUTPUT_VARIABLE body
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CMARK_GFM} failed on ${GUIDE}: ${errors}")
endif()

# CMake's lists split at every ";": the page's own (in entities such as
# &amp;) stand aside until it is written.
string(ASCII 26 semicolon)
string(REPLACE ";" "${semicolon}" body "${body}")

# A heading's id as GitHub makes it: the text without tags and entities, ASCII
# letters in lower case, punctuation left out (ASCII, and the Japanese marks
# the guide's headings use), each space a hyphen; a second heading of the
# same text gets -1, a third -2.
function(heading_id text out)
    string(REGEX REPLACE "<[^>]*>" "" text "${text}")
    string(REGEX REPLACE "&[#a-zA-Z0-9]+${semicolon}" "" text "${text}")
    string(TOLOWER "${text}" text)
    string(REGEX REPLACE "[]!\"#$%&'()*+,./:<=>?@[\\^`{|}~]" "" text "${text}")
    foreach(mark 、 。 ， ． ・ ： ； ？ ！ （ ） ［ ］ ｛ ｝ 「 」 『 』 【 】 〈 〉 《 》 “ ” ‘ ’ ／ ＼ ～ 〜 …
            ＋ ＝ ＆ ＃ ％ ＠ "　")
        string(REPLACE "${mark}" "" text "${text}")
    endforeach()
    string(REPLACE " " "-" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The form cmark-gfm writes a link's target in: bytes outside ASCII as %XX.
function(percent_encoded text out)
    string(HEX "${text}" hex)
    string(REGEX MATCHALL ".." bytes "${hex}")
    set(result "")
    foreach(byte IN LISTS bytes)
        if(byte MATCHES "^[0-7]")
            math(EXPR code "0x${byte}")
            string(ASCII ${code} character)
            string(APPEND result "${character}")
        else()
            string(TOUPPER "${byte}" byte)
            string(APPEND result "%${byte}")
        endif()
    endforeach()
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

string(REGEX MATCHALL "<h[1-6]>[^\n]*</h[1-6]>" headings "${body}")
set(targets)
set(ids)
foreach(heading IN LISTS headings)
    string(REGEX REPLACE "^<h([1-6])>(.*)</h[1-6]>$" "\\1" level "${heading}")
    string(REGEX REPLACE "^<h([1-6])>(.*)</h[1-6]>$" "\\2" text "${heading}")
    heading_id("${text}" id)
    set(unique "${id}")
    set(n 0)
    while(unique IN_LIST ids)
        math(EXPR n "${n} + 1")
        set(unique "${id}-${n}")
    endwhile()
    list(APPEND ids "${unique}")
    percent_encoded("${unique}" encoded)
    list(APPEND targets "#${encoded}")
    string(REPLACE "${heading}" "<h${level} id=\"${unique}\">${text}</h${level}>" body "${body}")
    if(NOT title)
        string(REGEX REPLACE "<[^>]*>" "" title "${text}")
    endif()
endforeach()

# Every link inside the page leads to a heading; every other link without a
# scheme, and every picture, to a file shipped beside the page.
set(missing)
string(REGEX MATCHALL "href=\"[^\"]*\"" links "${body}")
foreach(link IN LISTS links)
    string(REGEX REPLACE "^href=\"(.*)\"$" "\\1" target "${link}")
    if(target MATCHES "^#")
        if(NOT target IN_LIST targets)
            list(APPEND missing "heading ${target}")
        endif()
    elseif(target STREQUAL "../README.md")
        string(REPLACE "${link}" "href=\"${HOMEPAGE}\"" body "${body}")
    elseif(NOT target MATCHES "^[a-z]+:")
        list(APPEND missing "file ${target}")
    endif()
endforeach()
set(shipped)
foreach(picture IN LISTS PICTURES)
    get_filename_component(name "${picture}" NAME)
    list(APPEND shipped "${name}")
endforeach()
string(REGEX MATCHALL "src=\"[^\"]*\"" sources "${body}")
foreach(source IN LISTS sources)
    string(REGEX REPLACE "^src=\"(.*)\"$" "\\1" name "${source}")
    if(NOT name IN_LIST shipped)
        list(APPEND missing "picture ${name}")
    endif()
endforeach()
if(missing)
    list(JOIN missing ", " missing)
    message(FATAL_ERROR "${GUIDE} links to what its page does not have: ${missing}")
endif()

# The guide's lines end inside sentences as the Markdown was written; a
# browser would show each such line end between two Japanese characters as a
# space. Outside preformatted text, a line end after a Japanese closing mark
# is dropped.
set(joined "")
set(rest "${body}")
while(NOT rest STREQUAL "")
    string(FIND "${rest}" "<pre" start)
    if(start EQUAL -1)
        set(prose "${rest}")
        set(rest "")
        set(verbatim "")
    else()
        string(SUBSTRING "${rest}" 0 ${start} prose)
        string(SUBSTRING "${rest}" ${start} -1 rest)
        string(FIND "${rest}" "</pre>" end)
        math(EXPR end "${end} + 6")
        string(SUBSTRING "${rest}" 0 ${end} verbatim)
        string(SUBSTRING "${rest}" ${end} -1 rest)
    endif()
    foreach(mark 。 、 ） 」 』 ： ！ ？)
        string(REPLACE "${mark}\n" "${mark}" prose "${prose}")
    endforeach()
    string(APPEND joined "${prose}${verbatim}")
endwhile()

string(REPLACE "${semicolon}" ";" joined "${joined}")
file(READ ${STYLE} style)
file(WRITE ${OUTPUT}.new "<!DOCTYPE html>
<html lang=\"ja\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
${style}</style>
</head>
<body>
<main>
${joined}</main>
</body>
</html>
")
file(RENAME ${OUTPUT}.new ${OUTPUT})

get_filename_component(folder ${OUTPUT} DIRECTORY)
foreach(picture IN LISTS PICTURES)
    get_filename_component(name "${picture}" NAME)
    file(COPY_FILE "${picture}" "${folder}/${name}" ONLY_IF_DIFFERENT)
endforeach()
