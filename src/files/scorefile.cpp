// placeholder
namespace qv {}
