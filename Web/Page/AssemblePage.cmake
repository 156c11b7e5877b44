# Writes the page: shell.html.in with the style, the scripts and the compiled
# module (its wasm inside) put in place, one self-contained file. Run as
#   cmake -DPAGE_DIR=<Web/Page> -DMODULE=<module .js> -DSAMPLE=<route file> \
#         -DOUTPUT=<index.html> -P AssemblePage.cmake
# SAMPLE is the route the page opens with.
file(READ ${PAGE_DIR}/page.css AP_PAGE_STYLE)
file(READ ${PAGE_DIR}/CanvasMapView.js AP_PAGE_CANVAS_SCRIPT)
file(READ ${PAGE_DIR}/page.js AP_PAGE_SCRIPT)
file(READ ${MODULE} AP_PAGE_MODULE)
file(READ ${PAGE_DIR}/body.html AP_PAGE_BODY)
file(READ ${SAMPLE} AP_PAGE_SAMPLE)
get_filename_component(AP_PAGE_SAMPLE_NAME ${SAMPLE} NAME)
foreach(script AP_PAGE_CANVAS_SCRIPT AP_PAGE_SCRIPT AP_PAGE_MODULE AP_PAGE_SAMPLE)
  string(FIND "${${script}}" "</script" end)
  if(NOT end EQUAL -1)
    message(FATAL_ERROR "${script} holds </script: it cannot be put inside the page as it is")
  endif()
endforeach()
configure_file(${PAGE_DIR}/shell.html.in ${OUTPUT}.part @ONLY)
file(RENAME ${OUTPUT}.part ${OUTPUT})
