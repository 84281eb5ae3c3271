# Makes small guides into pages with cmake/GuidePage.cmake, as the build
# does, and reads each page back with Python's HTML parser (guideoutline.py):
# the outline it prints, or the build's exact message for a guide it must
# refuse (and then no page). With PAGE, the program's own guide page too:
# every picture in a figure under its caption, no fault.
# Usage: cmake -DCMARK_GFM=... -DPYTHON=... -DSOURCE_DIR=... -DWORK_DIR=...
#              [-DPAGE=guide/guide.html] -P guidepage.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(failures "")

function(read_back page out)
    execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/guideoutline.py ${page}
        OUTPUT_VARIABLE outline ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
        message(FATAL_ERROR "guideoutline.py ${page} failed (${status}): ${errors}")
    endif()
    set(${out} "${outline}" PARENT_SCOPE)
endfunction()

# case: a name, the guide, then what the page's outline must be, or with
# "refused:" the build's message (its lines joined by spaces).
set(names)
macro(guide_case name markdown expected)
    list(APPEND names ${name})
    set(markdown_${name} "${markdown}")
    set(expected_${name} "${expected}")
endmacro()

# Two headings of the same text: the second's id is -1 and links reach both;
# brackets and a semicolon in the text; pictures in a list item and with "
# and & in their caption; ** and __ in code are the code's.
guide_case(page [=[
# 手引き [第1版]

## 注意

[上の注意](#注意)、[下の注意](#注意-1)、[第1版](#手引き-第1版)。

![A&B "図"; 1](screenshot.png)

## 注意

1. 押します。

   ![「OK」を押したところ](screenshot.png)

`__init__` と `**`:

```
**x** __y__
```
]=] [=[
h1 #手引き-第1版 手引き [第1版]
h2 #注意 注意
link #注意 上の注意
link #注意-1 下の注意
link #手引き-第1版 第1版
picture screenshot.png alt='A&B "図"; 1'
caption 'A&B "図"; 1'
h2 #注意-1 注意
picture screenshot.png alt='「OK」を押したところ'
caption '「OK」を押したところ'
]=])

guide_case(thirdHeading [=[
## 注意

## 注意

[三つめ](#注意-2)
]=] [=[
refused: case.md links to what its page does not have: heading #%E6%B3%A8%E6%84%8F-2
]=])

guide_case(pictureInASentence [=[
# 手引き

この画面 ![画面](screenshot.png) で選びます。
]=] [=[
refused: case.md:3: the picture screenshot.png has no caption under it (make it a paragraph of its own: ![caption](screenshot.png))
]=])

guide_case(emptyCaption [=[
- 一つめ
- 二つめ

  ![](screenshot.png)
]=] [=[
refused: case.md:4: the picture screenshot.png has no caption under it (make it a paragraph of its own: ![caption](screenshot.png))
]=])

# CommonMark takes no ** or __ beside Japanese punctuation as bold; the line
# is counted inside the paragraph and after preformatted text.
guide_case(strayMarkup [=[
# 手引き

```
**a**
```

前の行
**「決定」**を押します。

__「全部」__と`**`、A&amp;B。
]=] [=[
refused: case.md:8: Markdown's ** shows in the text: **「決定」**を押します。
case.md:10: Markdown's __ shows in the text: __「全部」__と、A&amp;B。
]=])

foreach(name IN LISTS names)
    set(folder ${WORK_DIR}/${name})
    file(MAKE_DIRECTORY ${folder})
    file(WRITE ${folder}/case.md "${markdown_${name}}")
    execute_process(COMMAND ${CMAKE_COMMAND}
        -DCMARK_GFM=${CMARK_GFM} -DGUIDE=case.md -DSTYLE=${SOURCE_DIR}/docs/guide.css
        -DPICTURES=${SOURCE_DIR}/docs/screenshot.png -DHOMEPAGE=https://example.org
        -DOUTPUT=${folder}/guide.html -P ${SOURCE_DIR}/cmake/GuidePage.cmake
        WORKING_DIRECTORY ${folder}
        OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
    string(STRIP "${expected_${name}}" expected)
    if(expected MATCHES "^refused: (.*)")
        string(REPLACE "\n" " " expected "${CMAKE_MATCH_1}")
        # CMake wraps and indents the message under "CMake Error at ...:".
        string(REGEX REPLACE "^CMake Error at [^\n]*\n" "" said "${errors}")
        string(REGEX REPLACE "[ \n]+" " " said "${said}")
        string(STRIP "${said}" said)
        if(status EQUAL 0 OR NOT said STREQUAL expected OR EXISTS ${folder}/guide.html)
            string(APPEND failures "${name}: exit ${status}, said\n  ${said}\nnot\n  ${expected}\n")
        endif()
    else()
        if(NOT status EQUAL 0)
            string(APPEND failures "${name}: refused: ${errors}\n")
            continue()
        endif()
        read_back(${folder}/guide.html outline)
        string(STRIP "${outline}" outline)
        if(NOT outline STREQUAL expected)
            string(APPEND failures "${name}: the page reads\n${outline}\nnot\n${expected}\n")
        endif()
    endif()
endforeach()

# The program's own page: a figure under each picture, nothing amiss.
if(PAGE)
    read_back(${PAGE} outline)
    string(REGEX MATCHALL "(^|\n)picture " pictures "${outline}")
    string(REGEX MATCHALL "(^|\n)caption " captions "${outline}")
    list(LENGTH pictures pictureCount)
    list(LENGTH captions captionCount)
    string(REGEX MATCHALL "(^|\n)! [^\n]*" faults "${outline}")
    if(faults OR pictureCount EQUAL 0 OR NOT pictureCount EQUAL captionCount)
        string(APPEND failures
            "${PAGE}: ${pictureCount} pictures, ${captionCount} captions ${faults}\n")
    endif()
endif()

if(NOT failures STREQUAL "")
    message(FATAL_ERROR "${failures}")
endif()
