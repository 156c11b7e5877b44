# ap_mapviews: the map view doubles (MapViewDouble.h and the recording and
# counting views on it). No host symbols and nothing but the library's
# interface headers, so that every build can use them: the tests, the
# benchmarks, the fuzz targets, the browser checks and the tools' measuring
# drives. Users include "Support/CountingMapView.h" and the like;
# Support/ViewportScale.h needs refhost_mapprojection besides.
add_library(ap_mapviews STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CountingMapView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MapViewDouble.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordingMapView.cpp)
target_include_directories(ap_mapviews PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(ap_mapviews PUBLIC AdvicePathRender::HostInterface)
ap_set_warnings(ap_mapviews)
