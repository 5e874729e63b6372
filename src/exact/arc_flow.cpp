#include "exact/arc_flow.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>
#include <tuple>

#include "exact/stock_totals.h"

namespace yobina {

namespace {

// Beyond this many arcs the model would not be solved in the time a job has.
constexpr size_t kMaxArcs = 60000;

struct Arc {
  int64_t From = 0;  // used length in steps
  int64_t To = 0;
  int32_t Item = -1;  // -1: a loss arc; else the piece it cuts
  int32_t Type = -1;  // >= 0: the arc that ends a bar of this type (To unused)
};

struct Graph {
  std::vector<int64_t> Nodes;  // ascending
  std::vector<Arc> Arcs;
  int64_t Source = 0;
};

// With one bar length, every node moves to the latest position it can take:
// the capacity less the most the rest of a bar can hold after it. Nodes that
// come to one position merge, which shrinks the model several times over.
void Compress(Graph& graph, int64_t capacity) {
  std::map<int64_t, std::vector<const Arc*>> outgoing;
  for (const Arc& arc : graph.Arcs) outgoing[arc.From].push_back(&arc);
  std::map<int64_t, int64_t> rest;  // node -> most weight a path on from it holds
  int64_t after = 0;                // the next node's, which a loss arc reaches
  for (auto node = graph.Nodes.rbegin(); node != graph.Nodes.rend(); ++node) {
    int64_t most = after;
    for (const Arc* arc : outgoing[*node]) most = std::max(most, arc->To - arc->From + rest[arc->To]);
    rest[*node] = after = most;
  }
  std::set<int64_t> nodes;
  std::set<std::tuple<int64_t, int64_t, int32_t>> arcs;
  for (const Arc& arc : graph.Arcs)
    arcs.insert({capacity - rest[arc.From], capacity - rest[arc.To], arc.Item});
  for (int64_t node : graph.Nodes) nodes.insert(capacity - rest[node]);
  graph.Nodes.assign(nodes.begin(), nodes.end());
  graph.Arcs.clear();
  for (const auto& [from, to, item] : arcs) graph.Arcs.push_back({from, to, item, -1});
  graph.Source = capacity - rest[0];
}

Graph BuildGraph(const CuttingModel& model) {
  int64_t step = 0;
  for (const CutItem& item : model.Items) step = std::gcd(step, item.Weight);
  step = std::max<int64_t>(step, 1);
  int64_t capacity = 0;
  for (const StockType& type : model.Types) {
    if (type.MaxBars > 0) capacity = std::max(capacity, type.Capacity / step);
  }
  Graph graph;

  std::vector<int32_t> order(model.Items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return model.Items[a].Weight > model.Items[b].Weight; });
  std::set<int64_t> reached{0};
  std::set<std::pair<int64_t, int32_t>> itemArcs;  // (from, item)
  for (int32_t i : order) {
    const int64_t weight = model.Items[i].Weight / step;
    const int64_t copies = std::min<int64_t>(model.Items[i].Demand, capacity / weight);
    std::set<int64_t> next = reached;
    for (int64_t from : reached) {
      int64_t at = from;
      for (int64_t k = 0; k < copies && at + weight <= capacity; ++k, at += weight) {
        itemArcs.insert({at, i});
        next.insert(at + weight);
      }
      if (itemArcs.size() > kMaxArcs) return {};
    }
    reached = std::move(next);
  }
  graph.Nodes.assign(reached.begin(), reached.end());
  for (const auto& [from, item] : itemArcs)
    graph.Arcs.push_back({from, from + model.Items[item].Weight / step, item, -1});
  const auto usable =
      std::count_if(model.Types.begin(), model.Types.end(), [](const StockType& t) { return t.MaxBars > 0; });
  if (usable == 1) Compress(graph, capacity);
  for (size_t n = 0; n + 1 < graph.Nodes.size(); ++n)
    graph.Arcs.push_back({graph.Nodes[n], graph.Nodes[n + 1], -1, -1});
  for (int32_t t = 0; t < static_cast<int32_t>(model.Types.size()); ++t) {
    const StockType& type = model.Types[t];
    if (type.MaxBars <= 0) continue;
    // A bar of this type ends at the last node its capacity reaches.
    const int64_t reach = std::max<int64_t>(type.Capacity, 0) / step;
    const auto last = std::upper_bound(graph.Nodes.begin(), graph.Nodes.end(), reach) - 1;
    graph.Arcs.push_back({*last, 0, -1, t});
  }
  return graph;
}

// Splits the integer flow into paths from the source, each a pattern.
void Decompose(const CuttingModel& model, const Graph& graph, std::vector<int64_t> flow,
               ArcFlowResult& result) {
  std::map<int64_t, std::vector<size_t>> outgoing;
  for (size_t a = 0; a < graph.Arcs.size(); ++a) outgoing[graph.Arcs[a].From].push_back(a);
  for (;;) {
    std::vector<size_t> path;
    int64_t at = graph.Source;
    int32_t type = -1;
    while (type < 0) {
      const std::vector<size_t>& arcs = outgoing[at];
      const auto used = std::find_if(arcs.begin(), arcs.end(), [&](size_t a) { return flow[a] > 0; });
      if (used == arcs.end()) break;
      path.push_back(*used);
      type = graph.Arcs[*used].Type;
      at = graph.Arcs[*used].To;
    }
    if (type < 0) return;  // no flow left (or a broken flow, which the checks after will refuse)
    int64_t bars = flow[path.front()];
    for (size_t a : path) bars = std::min(bars, flow[a]);
    CutPattern pattern{type, std::vector<int32_t>(model.Items.size(), 0)};
    for (size_t a : path) {
      flow[a] -= bars;
      if (graph.Arcs[a].Item >= 0) ++pattern.Pieces[graph.Arcs[a].Item];
    }
    result.Patterns.push_back(std::move(pattern));
    result.Bars.push_back(static_cast<int32_t>(bars));
  }
}

}  // namespace

ArcFlowResult SolveArcFlow(const CuttingModel& model, int64_t below, MipSolver& mip,
                           const Deadline& deadline) {
  ArcFlowResult result;
  const Graph graph = BuildGraph(model);
  if (graph.Nodes.empty()) return result;

  // Rows: the items' demands, the bars of each type, then one flow balance
  // per node (out - in = 0); the arc ending a bar returns its flow to the source.
  constexpr double kInfinity = 1e30;
  const int items = static_cast<int>(model.Items.size());
  const int types = static_cast<int>(model.Types.size());
  for (const CutItem& item : model.Items) mip.AddRow(item.Demand, kInfinity);
  for (const StockType& type : model.Types) mip.AddRow(type.MinBars, type.MaxBars);
  std::map<int64_t, int> nodeRow;
  for (int64_t node : graph.Nodes) {
    nodeRow[node] = items + types + static_cast<int>(nodeRow.size());
    mip.AddRow(0, 0);
  }
  for (const Arc& arc : graph.Arcs) {
    ColumnEntries entries;
    if (arc.Item >= 0) entries.emplace_back(arc.Item, 1.0);
    if (arc.Type >= 0) {
      entries.emplace_back(items + arc.Type, 1.0);
      if (arc.From != graph.Source) {
        entries.emplace_back(nodeRow[graph.Source], -1.0);
        entries.emplace_back(nodeRow[arc.From], 1.0);
      }
      const StockType& type = model.Types[arc.Type];
      mip.AddColumn(type.Length, type.MaxBars, entries);
      continue;
    }
    entries.emplace_back(nodeRow[arc.From], 1.0);
    entries.emplace_back(nodeRow[arc.To], -1.0);
    mip.AddColumn(0, kInfinity, entries);
  }
  // Totals differ by whole steps: a better plan lies on a step under `below`.
  mip.SetObjectiveStep(static_cast<double>(StockTotalStep(model)));
  mip.SetCutoff(static_cast<double>(StockTotalUnder(model, below)) + 0.5);

  result.Outcome = mip.Solve(deadline);
  if (result.Outcome != MipOutcome::Optimal && result.Outcome != MipOutcome::Feasible) return result;
  const std::vector<double> values = mip.Values();
  std::vector<int64_t> flow(values.size());
  for (size_t a = 0; a < values.size(); ++a) flow[a] = std::llround(values[a]);
  Decompose(model, graph, flow, result);
  result.StockLength = StockLengthOf(model, result.Patterns, result.Bars);
  return result;
}

}  // namespace yobina
